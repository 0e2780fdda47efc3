package voske.client;

import java.io.IOException;
import java.net.InetSocketAddress;
import java.net.ProxySelector;
import java.net.http.HttpClient;
import java.net.http.HttpRequest;
import java.net.http.HttpResponse;
import java.net.http.HttpTimeoutException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.Base64;
import java.util.concurrent.CompletableFuture;
import java.util.concurrent.ExecutionException;
import java.util.concurrent.TimeUnit;
import java.util.concurrent.TimeoutException;

/**
 * One sending over the documented HTTP protocol: the document is posted to
 * BASE/envio/KIND; 200 carries the receipt, any other status an error text.
 */
public final class DocumentSender {
    private final ClientSettings settings;
    private boolean received;

    public DocumentSender(ClientSettings settings) {
        this.settings = settings;
    }

    public String send(String receiptFolder, String file, String kind, String password) throws IOException {
        if (!"Cadastral".equals(kind) && !"Financeiro".equals(kind)) {
            return "Tipo de documento desconhecido: \"" + kind + "\".";
        }
        if (receiptFolder == null || receiptFolder.isEmpty()) {
            return "A pasta do recibo não foi informada.";
        }
        // The document is streamed from its file as it is sent: documents of
        // any size go without being held in memory.
        HttpRequest.BodyPublisher document;
        try {
            document = HttpRequest.BodyPublishers.ofFile(Paths.get(ClientSettings.nullToEmpty(file)));
        } catch (IOException | RuntimeException e) {
            return "Não foi possível ler o arquivo " + file + ": " + Reasons.of(e);
        }

        HttpClient client;
        try {
            client = buildClient();
        } catch (IllegalArgumentException e) {
            return e.getMessage();
        }
        long deadline = System.nanoTime() + settings.exchangeLimit.toNanos();
        HttpRequest.Builder request = HttpRequest.newBuilder(settings.documentUri(kind))
                .timeout(settings.exchangeLimit)
                .header("Content-Type", "application/xml")
                // Not "Authorization": the JDK's client withholds that header
                // from requests that go through a proxy.
                .header("X-Voske-Senha", Base64.getEncoder().encodeToString(
                        ClientSettings.nullToEmpty(password).getBytes(StandardCharsets.UTF_8)))
                .POST(document);
        if (settings.usesProxy() && !settings.proxyUser.isEmpty()) {
            // Sent with the first request: the proxy's 407 then means the
            // credentials were refused, and is reported as such.
            String credentials = settings.proxyUser + ":" + settings.proxyPassword;
            request.header("Proxy-Authorization", "Basic "
                    + Base64.getEncoder().encodeToString(credentials.getBytes(StandardCharsets.UTF_8)));
        }

        Path folder;
        try {
            folder = Paths.get(receiptFolder);
        } catch (RuntimeException e) {
            return "A pasta do recibo não é válida: " + receiptFolder;
        }
        BoundedAnswer answer = new BoundedAnswer(folder);
        return interpret(exchange(client, request.build(), answer, deadline), folder, kind);
    }

    /**
     * Whether the regulator accepted the last document sent, even when its
     * receipt could not be kept and send returned a text saying why.
     */
    public boolean received() {
        return received;
    }

    /**
     * The answer, complete, by the deadline. The request's own timeout ends
     * only at the answer's headers: a service that stalls after them, or
     * trickles its body, would otherwise be waited on for ever. Past the
     * deadline the pending exchange is cancelled and the caller sees a
     * communication failure.
     */
    private BoundedAnswer.Answer exchange(HttpClient client, HttpRequest request, BoundedAnswer answer,
                                          long deadline) throws IOException {
        CompletableFuture<HttpResponse<BoundedAnswer.Answer>> pending = client.sendAsync(request, answer.handler());
        try {
            return pending.get(Math.max(0, deadline - System.nanoTime()), TimeUnit.NANOSECONDS).body();
        } catch (TimeoutException e) {
            pending.cancel(true);
            answer.abandon();
            throw new HttpTimeoutException("O WebService não concluiu a resposta em "
                    + settings.exchangeLimit.toSeconds() + " segundos.");
        } catch (InterruptedException e) {
            pending.cancel(true);
            answer.abandon();
            Thread.currentThread().interrupt();
            throw new IOException("O envio foi interrompido.");
        } catch (ExecutionException e) {
            answer.abandon();
            // Only the client's own words reach the caller, never the
            // library's (which would be English, or a stack of classes).
            if (e.getCause() instanceof BoundedAnswer.TooLong tooLong) throw tooLong;
            throw new IOException("A comunicação com o WebService falhou.");
        }
    }

    private String interpret(BoundedAnswer.Answer answer, Path folder, String kind) {
        int status = answer.info.statusCode();
        if (status == 200) {
            received = true;
            String name = ReceiptWriter.safeName(answer.info.headers().firstValue("X-Voske-Recibo").orElse(""), kind);
            IOException failure = answer.receiptFailure;
            if (failure == null) {
                try {
                    ReceiptWriter.place(answer.receipt, folder, name);
                    return "";
                } catch (IOException | RuntimeException e) {
                    failure = e instanceof IOException io ? io : new IOException(e);
                }
            }
            return "O recibo não pôde ser gravado: " + Reasons.of(failure) + ".";
        }
        if (status == 407) {
            return "O proxy recusou a autenticação (HTTP 407). Verifique o usuário e a senha do proxy.";
        }
        String text = new String(answer.refusal, StandardCharsets.UTF_8).trim();
        // An empty refusal must never read as an acceptance to the caller.
        if (text.isEmpty()) text = "O WebService respondeu com o código HTTP " + status + ".";
        return text;
    }

    private HttpClient buildClient() {
        HttpClient.Builder builder = HttpClient.newBuilder()
                .version(HttpClient.Version.HTTP_1_1)
                .connectTimeout(ClientSettings.CONNECT_TIMEOUT)
                .followRedirects(HttpClient.Redirect.NEVER);
        if (settings.usesProxy()) {
            int port;
            try {
                port = Integer.parseInt(settings.proxyPort);
            } catch (NumberFormatException e) {
                port = -1;
            }
            if (port < 1 || port > 65535) {
                throw new IllegalArgumentException("Porta do proxy inválida: \"" + settings.proxyPort + "\".");
            }
            builder.proxy(ProxySelector.of(InetSocketAddress.createUnresolved(settings.proxyHost, port)));
        }
        return builder.build();
    }
}
