package voske.client;

import java.net.URI;
import java.time.Duration;

/** Where and how a sending goes: the web service's base address and the proxy. */
public final class ClientSettings {
    /** Used when VOSKE_WEBSERVICE_URL is not set; the loopback service listens there by default. */
    public static final String DEFAULT_BASE_URL = "http://127.0.0.1:8380/voske";
    /** Reaching the service (or the proxy) takes at most this long. */
    public static final Duration CONNECT_TIMEOUT = Duration.ofSeconds(15);
    /**
     * The whole exchange (connection, document, answer and receipt) takes at
     * most this long, however the service behaves once it has answered.
     */
    public static final Duration DEFAULT_EXCHANGE_LIMIT = Duration.ofSeconds(120);
    /** Replaces the exchange limit, in whole seconds (for tests and slow links). */
    public static final String EXCHANGE_LIMIT_VARIABLE = "VOSKE_TEMPO_LIMITE_ENVIO";

    public final String baseUrl;
    public final String proxyHost;
    public final String proxyPort;
    public final String proxyUser;
    public final String proxyPassword;
    public final Duration exchangeLimit;

    public ClientSettings(String baseUrl, String proxyHost, String proxyPort, String proxyUser, String proxyPassword) {
        this(baseUrl, proxyHost, proxyPort, proxyUser, proxyPassword, DEFAULT_EXCHANGE_LIMIT);
    }

    public ClientSettings(String baseUrl, String proxyHost, String proxyPort, String proxyUser, String proxyPassword,
                          Duration exchangeLimit) {
        this.exchangeLimit = exchangeLimit;
        this.baseUrl = stripTrailingSlashes(baseUrl);
        this.proxyHost = nullToEmpty(proxyHost).trim();
        this.proxyPort = nullToEmpty(proxyPort).trim();
        this.proxyUser = nullToEmpty(proxyUser);
        this.proxyPassword = nullToEmpty(proxyPassword);
    }

    public static ClientSettings fromEnvironment(String proxyHost, String proxyPort, String proxyUser,
                                                 String proxyPassword) {
        String base = System.getenv("VOSKE_WEBSERVICE_URL");
        if (base == null || base.isBlank()) base = DEFAULT_BASE_URL;
        return new ClientSettings(base.trim(), proxyHost, proxyPort, proxyUser, proxyPassword,
                exchangeLimit(System.getenv(EXCHANGE_LIMIT_VARIABLE)));
    }

    /** A whole number of seconds from 1 to 86400; anything else keeps the default. */
    static Duration exchangeLimit(String seconds) {
        if (seconds == null) return DEFAULT_EXCHANGE_LIMIT;
        try {
            long n = Long.parseLong(seconds.trim());
            if (n >= 1 && n <= 86400) return Duration.ofSeconds(n);
        } catch (NumberFormatException e) {
            // the default below
        }
        return DEFAULT_EXCHANGE_LIMIT;
    }

    public boolean usesProxy() {
        return !proxyHost.isEmpty();
    }

    /** The address a document of the given kind is posted to. */
    public URI documentUri(String kind) {
        return URI.create(baseUrl + "/envio/" + kind);
    }

    static String nullToEmpty(String s) {
        return s == null ? "" : s;
    }

    private static String stripTrailingSlashes(String url) {
        String s = nullToEmpty(url);
        while (s.endsWith("/")) s = s.substring(0, s.length() - 1);
        return s;
    }
}
