package voske.client;

import java.io.IOException;
import java.net.InetSocketAddress;
import java.net.ProxySelector;
import java.net.http.HttpClient;
import java.net.http.HttpRequest;
import java.net.http.HttpResponse;
import java.net.http.HttpTimeoutException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
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
        byte[] document;
        try {
            document = Files.readAllBytes(Paths.get(ClientSettings.nullToEmpty(file)));
        } catch (IOException | RuntimeException e) {
            return "Não foi possível ler o arquivo " + file + ": " + e.getMessage();
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
                .POST(HttpRequest.BodyPublishers.ofByteArray(document));
        if (settings.usesProxy() && !settings.proxyUser.isEmpty()) {
            // Sent with the first request: the proxy's 407 then means the
            // credentials were refused, and is reported as such.
            String credentials = settings.proxyUser + ":" + settings.proxyPassword;
            request.header("Proxy-Authorization", "Basic "
                    + Base64.getEncoder().encodeToString(credentials.getBytes(StandardCharsets.UTF_8)));
        }

        return interpret(exchange(client, request.build(), deadline), receiptFolder, kind);
    }

    /**
     * The answer, complete, by the deadline. The request's own timeout ends
     * only at the answer's headers: a service that stalls after them, or
     * trickles its body, would otherwise be waited on for ever. Past the
     * deadline the pending exchange is cancelled and the caller sees a
     * communication failure.
     */
    private HttpResponse<byte[]> exchange(HttpClient client, HttpRequest request, long deadline)
            throws IOException {
        CompletableFuture<HttpResponse<byte[]>> pending =
                client.sendAsync(request, HttpResponse.BodyHandlers.ofByteArray());
        try {
            return pending.get(Math.max(0, deadline - System.nanoTime()), TimeUnit.NANOSECONDS);
        } catch (TimeoutException e) {
            pending.cancel(true);
            throw new HttpTimeoutException("O WebService não concluiu a resposta em "
                    + settings.exchangeLimit.toSeconds() + " segundos.");
        } catch (InterruptedException e) {
            pending.cancel(true);
            Thread.currentThread().interrupt();
            throw new IOException("O envio foi interrompido.", e);
        } catch (ExecutionException e) {
            Throwable cause = e.getCause();
            if (cause instanceof IOException) throw (IOException) cause;
            throw new IOException(cause == null ? e.toString() : cause.toString(), cause);
        }
    }

    private String interpret(HttpResponse<byte[]> response, String receiptFolder, String kind) {
        int status = response.statusCode();
        byte[] body = response.body() == null ? new byte[0] : response.body();
        if (status == 200) {
            String name = ReceiptWriter.safeName(response.headers().firstValue("X-Voske-Recibo").orElse(""), kind);
            try {
                ReceiptWriter.write(receiptFolder, name, body);
                return "";
            } catch (IOException | RuntimeException e) {
                return "O documento foi recebido pela OXR, mas o recibo não pôde ser gravado em "
                        + receiptFolder + ": " + e.getMessage();
            }
        }
        if (status == 407) {
            return "O proxy recusou a autenticação (HTTP 407). Verifique o usuário e a senha do proxy.";
        }
        String text = new String(body, StandardCharsets.UTF_8).trim();
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
