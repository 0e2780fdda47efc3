package voske.service;

import java.nio.file.Path;
import java.nio.file.Paths;

/** The command line of the loopback service. */
final class ServiceOptions {
    enum Mode { ACCEPT, REFUSE, BREAK, STALL, TRICKLE, HUGE, HUGE_REFUSAL, ENDLESS }

    int port = 8380;
    Mode mode = Mode.ACCEPT;
    String refusal = "Documento recusado pela OXR: o período informado já foi enviado.";
    String expectedPassword;   // null: any non-empty password is taken
    String receiptName;        // the receipt's name proposed to the client; null: one of its own
    Path store;                // folder where accepted documents are kept, or null
    Path log;                  // one line per request received, or null
    Integer proxyPort;         // null: no proxy
    String proxyUser = "";
    String proxyPassword = "";
    boolean stopOnEndOfInput;
    int maxSeconds;            // 0: no limit
    int delayMillis;           // wait before answering a document, as a slow service does

    static final String USAGE = String.join("\n",
            "Uso: java -jar VOSKETestService.jar [opções]",
            "  --porta N              porta do serviço (padrão 8380; 0 escolhe uma livre)",
            "  --modo M               aceitar | recusar | interromper | parar | gotejar | enorme |",
            "                         recusar-enorme | sem-fim (padrão aceitar)",
            "  --mensagem TEXTO       texto da recusa no modo recusar",
            "  --nome-recibo NOME     nome proposto para o recibo (padrão recibo_TIPO_PROTOCOLO.xml)",
            "  --senha-esperada S     recusa com 403 quando a senha recebida for outra",
            "  --guardar PASTA        guarda cada documento aceito nesta pasta",
            "  --registro ARQUIVO     acrescenta uma linha por pedido recebido",
            "  --proxy-porta N        também atua como proxy HTTP autenticado nesta porta",
            "  --proxy-usuario U      usuário exigido pelo proxy",
            "  --proxy-senha S        senha exigida pelo proxy",
            "  --encerrar-com-entrada termina quando a entrada padrão se fecha",
            "  --tempo-maximo SEG     termina depois de SEG segundos",
            "  --atraso MS            espera MS milissegundos antes de responder a um documento",
            "Escuta apenas em 127.0.0.1. Ao iniciar escreve na saída padrão:",
            "  VOSKE_WEBSERVICE_URL=http://127.0.0.1:PORTA/voske",
            "  PROXY=127.0.0.1:PORTA (quando há proxy)");

    static ServiceOptions parse(String[] args) {
        ServiceOptions o = new ServiceOptions();
        for (int i = 0; i < args.length; i++) {
            String a = args[i];
            switch (a) {
                case "--encerrar-com-entrada" -> o.stopOnEndOfInput = true;
                case "--porta" -> o.port = port(value(args, ++i, a), a);
                case "--modo" -> o.mode = mode(value(args, ++i, a));
                case "--mensagem" -> o.refusal = text(args, ++i, a);
                case "--nome-recibo" -> o.receiptName = value(args, ++i, a);
                case "--senha-esperada" -> o.expectedPassword = text(args, ++i, a);
                case "--guardar" -> o.store = Paths.get(value(args, ++i, a));
                case "--registro" -> o.log = Paths.get(value(args, ++i, a));
                case "--proxy-porta" -> o.proxyPort = port(value(args, ++i, a), a);
                case "--proxy-usuario" -> o.proxyUser = text(args, ++i, a);
                case "--proxy-senha" -> o.proxyPassword = text(args, ++i, a);
                case "--tempo-maximo" -> o.maxSeconds = number(value(args, ++i, a), a);
                case "--atraso" -> o.delayMillis = number(value(args, ++i, a), a);
                default -> throw new IllegalArgumentException("opção desconhecida: " + a);
            }
        }
        return o;
    }

    /** The value after an option; one that begins with "-" is the next option, its value forgotten. */
    private static String value(String[] args, int i, String option) {
        String v = text(args, i, option);
        if (v.startsWith("-")) throw new IllegalArgumentException("falta o valor de " + option + " (veio " + v + ")");
        return v;
    }

    /** A free text, which may begin with anything. */
    private static String text(String[] args, int i, String option) {
        if (i >= args.length) throw new IllegalArgumentException("falta o valor de " + option);
        return args[i];
    }

    private static int number(String s, String option) {
        try {
            int n = Integer.parseInt(s);
            if (n >= 0) return n;
        } catch (NumberFormatException e) {
            // reported below
        }
        throw new IllegalArgumentException("valor inválido para " + option + ": " + s);
    }

    private static int port(String s, String option) {
        int n = number(s, option);
        if (n > 65535) throw new IllegalArgumentException("porta inválida: " + s);
        return n;
    }

    private static Mode mode(String s) {
        return switch (s) {
            case "aceitar" -> Mode.ACCEPT;
            case "recusar" -> Mode.REFUSE;
            case "interromper" -> Mode.BREAK;
            case "parar" -> Mode.STALL;
            case "gotejar" -> Mode.TRICKLE;
            case "enorme" -> Mode.HUGE;
            case "recusar-enorme" -> Mode.HUGE_REFUSAL;
            case "sem-fim" -> Mode.ENDLESS;
            default -> throw new IllegalArgumentException("modo desconhecido: " + s);
        };
    }
}
