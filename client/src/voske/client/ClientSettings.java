package voske.client;

import java.net.URI;
import java.time.Duration;

/** Where and how a sending goes: the web service's base address and the proxy. */
public final class ClientSettings {
    /** Used when VOSKE_WEBSERVICE_URL is not set; the loopback service listens there by default. */
    public static final String DEFAULT_BASE_URL = "http://127.0.0.1:8380/voske";
    /** No network wait of the client lasts longer than this. */
    public static final Duration CONNECT_TIMEOUT = Duration.ofSeconds(15);
    public static final Duration REQUEST_TIMEOUT = Duration.ofSeconds(120);

    public final String baseUrl;
    public final String proxyHost;
    public final String proxyPort;
    public final String proxyUser;
    public final String proxyPassword;

    public ClientSettings(String baseUrl, String proxyHost, String proxyPort, String proxyUser, String proxyPassword) {
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
        return new ClientSettings(base.trim(), proxyHost, proxyPort, proxyUser, proxyPassword);
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
