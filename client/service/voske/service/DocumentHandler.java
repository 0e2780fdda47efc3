package voske.service;

import com.sun.net.httpserver.HttpExchange;
import com.sun.net.httpserver.HttpHandler;

import java.io.IOException;
import java.io.OutputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.security.MessageDigest;
import java.security.NoSuchAlgorithmException;
import java.time.OffsetDateTime;
import java.time.format.DateTimeFormatter;
import java.util.Base64;
import java.util.HexFormat;
import java.util.concurrent.atomic.AtomicLong;

/** The web service side: POST /voske/envio/{Cadastral|Financeiro}. */
final class DocumentHandler implements HttpHandler {
    static final String CONTEXT = "/voske";
    private static final String PREFIX = CONTEXT + "/envio/";

    private final ServiceOptions options;
    private final AtomicLong sequence = new AtomicLong();

    DocumentHandler(ServiceOptions options) {
        this.options = options;
    }

    @Override
    public void handle(HttpExchange exchange) throws IOException {
        try (exchange) {
            String path = exchange.getRequestURI().getPath();
            String kind = path.startsWith(PREFIX) ? path.substring(PREFIX.length()) : "";
            String via = exchange.getRequestHeaders().getFirst("Via");
            byte[] body = Exchanges.readBody(exchange);
            String password = password(exchange.getRequestHeaders().getFirst("X-Voske-Senha"));
            Exchanges.log(options.log, "metodo=" + exchange.getRequestMethod() + " tipo=" + kind
                    + " tamanho=" + body.length + " md5=" + md5(body) + " via=" + (via == null ? "" : via));

            if (!"POST".equals(exchange.getRequestMethod())) {
                Exchanges.replyText(exchange, 405, "Use POST para enviar um documento.");
                return;
            }
            if (!kind.equals("Cadastral") && !kind.equals("Financeiro")) {
                Exchanges.replyText(exchange, 404, "Tipo de documento desconhecido: \"" + kind + "\".");
                return;
            }
            if (password == null || password.isEmpty()
                    || (options.expectedPassword != null && !options.expectedPassword.equals(password))) {
                Exchanges.replyText(exchange, 403, "Senha da operadora inválida.");
                return;
            }
            if (options.delayMillis > 0) pause((long) options.delayMillis);
            switch (options.mode) {
                case BREAK -> Exchanges.breakConnection(exchange);
                case REFUSE -> Exchanges.replyText(exchange, 422, options.refusal);
                case ACCEPT -> accept(exchange, kind, body);
                case STALL -> stall(exchange, kind, body);
                case TRICKLE -> trickle(exchange, kind, body);
                case HUGE -> flood(exchange, 200, HUGE_ANSWER);
                case HUGE_REFUSAL -> flood(exchange, 422, HUGE_ANSWER);
                case ENDLESS -> flood(exchange, 200, -1);
            }
        }
    }

    private void accept(HttpExchange exchange, String kind, byte[] body) throws IOException {
        byte[] receipt = receipt(exchange, kind, body);
        Exchanges.reply(exchange, 200, "application/xml; charset=UTF-8", receipt);
    }

    /** Answers 200 with the receipt's headers, then sends nothing more. */
    private void stall(HttpExchange exchange, String kind, byte[] body) throws IOException {
        byte[] receipt = receipt(exchange, kind, body);
        exchange.getResponseHeaders().set("Content-Type", "application/xml; charset=UTF-8");
        exchange.sendResponseHeaders(200, receipt.length);
        exchange.getResponseBody().flush();
        pause(Exchanges.MAX_EXCHANGE_SECONDS * 1000L);
    }

    /** Answers 200, then sends the receipt one byte every two seconds. */
    private void trickle(HttpExchange exchange, String kind, byte[] body) throws IOException {
        byte[] receipt = receipt(exchange, kind, body);
        exchange.getResponseHeaders().set("Content-Type", "application/xml; charset=UTF-8");
        exchange.sendResponseHeaders(200, receipt.length);
        try (OutputStream out = exchange.getResponseBody()) {
            for (byte b : receipt) {
                out.write(b);
                out.flush();
                if (!pause(2000L)) return;
            }
        }
    }

    /** The length of the answers of the modes enorme and recusar-enorme. */
    private static final long HUGE_ANSWER = 1L << 30;

    /**
     * Answers `status` with `length` bytes (-1: chunked, without end), made
     * as they are sent and never held, until the client goes away or the
     * exchange's time runs out.
     */
    private static void flood(HttpExchange exchange, int status, long length) throws IOException {
        byte[] block = "Resposta sem fim do WebService. ".repeat(2048).getBytes(StandardCharsets.UTF_8);
        long deadline = System.nanoTime() + Exchanges.MAX_EXCHANGE_SECONDS * 1_000_000_000L;
        exchange.getResponseHeaders().set("Content-Type", "application/xml; charset=UTF-8");
        exchange.sendResponseHeaders(status, length < 0 ? 0 : length);
        try (OutputStream out = exchange.getResponseBody()) {
            long left = length < 0 ? Long.MAX_VALUE : length;
            while (left > 0 && System.nanoTime() < deadline) {
                int n = (int) Math.min(block.length, left);
                out.write(block, 0, n);
                left -= n;
            }
        } catch (IOException e) {
            // the client stopped reading: the end this mode is for
        }
    }

    /** False when the service is stopping. */
    private static boolean pause(long millis) {
        try {
            Thread.sleep(millis);
            return true;
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
            return false;
        }
    }

    /** The receipt of an accepted document, its name proposed in the answer's headers. */
    private byte[] receipt(HttpExchange exchange, String kind, byte[] body) throws IOException {
        String protocol = String.format("%s%06d",
                OffsetDateTime.now().format(DateTimeFormatter.ofPattern("yyyyMMddHHmmss")), sequence.incrementAndGet());
        if (options.store != null) {
            Files.createDirectories(options.store);
            Files.write(options.store.resolve(protocol + ".xml"), body);
        }
        String receipt = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                + "<recibo>"
                + "<protocolo>" + protocol + "</protocolo>"
                + "<tipo>" + kind + "</tipo>"
                + "<recebidoEm>" + OffsetDateTime.now().format(DateTimeFormatter.ISO_OFFSET_DATE_TIME) + "</recebidoEm>"
                + "<tamanho>" + body.length + "</tamanho>"
                + "<md5>" + md5(body) + "</md5>"
                + "</recibo>\n";
        exchange.getResponseHeaders().set("X-Voske-Recibo",
                options.receiptName != null ? options.receiptName : "recibo_" + kind + "_" + protocol + ".xml");
        return receipt.getBytes(StandardCharsets.UTF_8);
    }

    /** The password of "X-Voske-Senha: base64(UTF-8 password)", or null. */
    static String password(String header) {
        if (header == null) return null;
        try {
            return new String(Base64.getDecoder().decode(header.trim()), StandardCharsets.UTF_8);
        } catch (IllegalArgumentException e) {
            return null;
        }
    }

    static String md5(byte[] data) {
        try {
            return HexFormat.of().formatHex(MessageDigest.getInstance("MD5").digest(data));
        } catch (NoSuchAlgorithmException e) {
            throw new IllegalStateException(e);
        }
    }

    private static void pause(int millis) {
        try {
            Thread.sleep(millis);
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
        }
    }
}
