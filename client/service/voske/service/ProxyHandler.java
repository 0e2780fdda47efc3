package voske.service;

import com.sun.net.httpserver.HttpExchange;
import com.sun.net.httpserver.HttpHandler;

import java.io.IOException;
import java.net.URI;
import java.net.http.HttpClient;
import java.net.http.HttpRequest;
import java.net.http.HttpResponse;
import java.nio.charset.StandardCharsets;
import java.time.Duration;
import java.util.Base64;
import java.util.List;
import java.util.Map;
import java.util.Set;

/**
 * An authenticating HTTP proxy for plain http requests in absolute form. It
 * answers 407 until the client proves the configured user and password, then
 * forwards the request, adding a Via header, and relays the answer. Only
 * addresses on the loopback interface are forwarded to.
 */
final class ProxyHandler implements HttpHandler {
    private static final Set<String> HOP_BY_HOP = Set.of("connection", "keep-alive", "proxy-authorization",
            "proxy-authenticate", "proxy-connection", "te", "trailer", "transfer-encoding", "upgrade", "host",
            "content-length", "expect");

    private final ServiceOptions options;
    private final HttpClient upstream = HttpClient.newBuilder()
            .version(HttpClient.Version.HTTP_1_1)
            .connectTimeout(Duration.ofSeconds(10))
            .proxy(HttpClient.Builder.NO_PROXY)
            .followRedirects(HttpClient.Redirect.NEVER)
            .build();

    ProxyHandler(ServiceOptions options) {
        this.options = options;
    }

    @Override
    public void handle(HttpExchange exchange) throws IOException {
        try (exchange) {
            byte[] body = Exchanges.readBody(exchange);
            URI target = exchange.getRequestURI();
            boolean authorised = authorised(exchange.getRequestHeaders().getFirst("Proxy-Authorization"));
            Exchanges.log(options.log, "proxy metodo=" + exchange.getRequestMethod() + " alvo=" + target
                    + " autorizado=" + (authorised ? "sim" : "nao"));
            if (!authorised) {
                exchange.getResponseHeaders().set("Proxy-Authenticate", "Basic realm=\"VOSKE proxy\"");
                Exchanges.replyText(exchange, 407, "Autenticação exigida pelo proxy.");
                return;
            }
            if (!"http".equalsIgnoreCase(target.getScheme()) || !loopback(target.getHost())) {
                Exchanges.replyText(exchange, 403, "O proxy de teste só encaminha para 127.0.0.1.");
                return;
            }
            forward(exchange, target, body);
        }
    }

    private void forward(HttpExchange exchange, URI target, byte[] body) throws IOException {
        HttpRequest.Builder request = HttpRequest.newBuilder(target)
                .timeout(Duration.ofSeconds(60))
                .method(exchange.getRequestMethod(), HttpRequest.BodyPublishers.ofByteArray(body))
                .header("Via", "1.1 voske-proxy");
        for (Map.Entry<String, List<String>> h : exchange.getRequestHeaders().entrySet()) {
            if (HOP_BY_HOP.contains(h.getKey().toLowerCase()) || h.getKey().equalsIgnoreCase("via")) continue;
            for (String v : h.getValue()) request.header(h.getKey(), v);
        }
        HttpResponse<byte[]> response;
        try {
            response = upstream.send(request.build(), HttpResponse.BodyHandlers.ofByteArray());
        } catch (IOException e) {
            // The service broke the connection: so does the proxy.
            Exchanges.breakConnection(exchange);
            return;
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
            Exchanges.breakConnection(exchange);
            return;
        }
        for (Map.Entry<String, List<String>> h : response.headers().map().entrySet()) {
            if (HOP_BY_HOP.contains(h.getKey().toLowerCase()) || h.getKey().startsWith(":")) continue;
            for (String v : h.getValue()) exchange.getResponseHeaders().add(h.getKey(), v);
        }
        Exchanges.reply(exchange, response.statusCode(), null, response.body());
    }

    private boolean authorised(String header) {
        if (header == null || !header.startsWith("Basic ")) return false;
        String expected = options.proxyUser + ":" + options.proxyPassword;
        try {
            String given = new String(Base64.getDecoder().decode(header.substring(6).trim()), StandardCharsets.UTF_8);
            return given.equals(expected);
        } catch (IllegalArgumentException e) {
            return false;
        }
    }

    private static boolean loopback(String host) {
        return "127.0.0.1".equals(host) || "localhost".equalsIgnoreCase(host);
    }
}
