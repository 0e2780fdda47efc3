package voske.service;

import com.sun.net.httpserver.HttpExchange;

import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;

/** Small helpers shared by the service and the proxy. */
final class Exchanges {
    /** Larger bodies are refused rather than read into memory. */
    static final int MAX_BODY = 64 * 1024 * 1024;
    /** No exchange of the service lasts longer than this. */
    static final int MAX_EXCHANGE_SECONDS = 30;

    private Exchanges() {}

    static byte[] readBody(HttpExchange exchange) throws IOException {
        try (InputStream in = exchange.getRequestBody()) {
            byte[] body = in.readNBytes(MAX_BODY + 1);
            if (body.length > MAX_BODY) throw new IOException("corpo do pedido grande demais");
            return body;
        }
    }

    static void reply(HttpExchange exchange, int status, String contentType, byte[] body) throws IOException {
        if (contentType != null) exchange.getResponseHeaders().set("Content-Type", contentType);
        exchange.sendResponseHeaders(status, body.length == 0 ? -1 : body.length);
        try (OutputStream out = exchange.getResponseBody()) {
            out.write(body);
        }
    }

    static void replyText(HttpExchange exchange, int status, String text) throws IOException {
        reply(exchange, status, "text/plain; charset=UTF-8", text.getBytes(StandardCharsets.UTF_8));
    }

    /** Drops the connection without any answer, as a failing network would. */
    static void breakConnection(HttpExchange exchange) {
        // The server closes the connection when a handler throws, without
        // writing a response; that is the broken connection the client sees.
        throw new ConnectionBroken();
    }

    static synchronized void log(Path file, String line) {
        if (file == null) return;
        try {
            Files.writeString(file, line + "\n", StandardCharsets.UTF_8,
                    StandardOpenOption.CREATE, StandardOpenOption.APPEND);
        } catch (IOException e) {
            System.err.println("registro: " + e.getMessage());
        }
    }

    static final class ConnectionBroken extends RuntimeException {
        private static final long serialVersionUID = 1L;

        ConnectionBroken() {
            super("conexão interrompida de propósito", null, false, false);
        }
    }
}
