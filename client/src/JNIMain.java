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
        return new DocumentSender(settings).send(receiptFolder, file, kind, password);
    }
}
