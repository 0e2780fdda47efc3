import java.io.IOException;

import voske.client.ClientSettings;
import voske.client.DocumentSender;

/**
 * The client component the desktop program calls through JNI.
 *
 * <p>The caller obtains instances with AllocObject, so no constructor or field
 * initialiser ever runs: every field starts as null and every method must cope
 * with that. One sending uses one instance: configProxy (optional), then send.
 */
public class JNIMain {
    private String proxyHost;
    private String proxyPort;
    private String proxyUser;
    private String proxyPassword;
    private boolean received;

    static {
        // The client's HTTP threads are the VM's only other threads: an error
        // on one of them is reported through send, never as a Java stack
        // printed in English on the user's terminal.
        Thread.setDefaultUncaughtExceptionHandler((thread, error) -> { });
    }

    /**
     * Makes the following send go through the given HTTP proxy. An empty host
     * means no proxy. The last argument (the regulator password in upper case)
     * is the one send receives as well; it is not needed here.
     */
    public void configProxy(String host, String port, String user, String password, String oxrPassword) {
        proxyHost = host;
        proxyPort = port;
        proxyUser = user;
        proxyPassword = password;
    }

    /**
     * Sends one document to the web service.
     *
     * @param receiptFolder folder the receipt is written into (ends with the separator)
     * @param file the document to send
     * @param kind "Cadastral" or "Financeiro"
     * @param password the regulator password, in upper case
     * @return null or "" when the document was accepted and its receipt written;
     *         otherwise the text to show the user
     * @throws IOException when the web service (or the proxy) cannot be reached
     *         or breaks the connection
     */
    public String send(String receiptFolder, String file, String kind, String password) throws IOException {
        ClientSettings settings = ClientSettings.fromEnvironment(proxyHost, proxyPort, proxyUser, proxyPassword);
        DocumentSender sender = new DocumentSender(settings);
        received = false;
        try {
            return sender.send(receiptFolder, file, kind, password);
        } finally {
            received = sender.received();
        }
    }

    /**
     * Whether the last send reached the regulator and was accepted. True with
     * a text from send means the document was received but its receipt could
     * not be written (the text says why): it must not be sent again.
     */
    public boolean documentReceived() {
        return received;
    }
}
