package voske.service;

import com.sun.net.httpserver.HttpServer;

import java.io.IOException;
import java.net.InetAddress;
import java.net.InetSocketAddress;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.TimeUnit;

/**
 * A stand-in for the regulator's web service, for tests and demonstrations.
 * It listens on 127.0.0.1 only, and can accept a document with a receipt,
 * refuse it with an error text, break the connection, answer too slowly
 * (stalling after the headers, or trickling the receipt), and act as an
 * authenticating HTTP proxy in front of itself.
 */
public final class LoopbackService {
    private LoopbackService() {}

    public static void main(String[] args) throws Exception {
        for (String a : args) {
            if (a.equals("--help") || a.equals("-h")) {
                System.out.println(ServiceOptions.USAGE);
                return;
            }
        }
        ServiceOptions options;
        try {
            options = ServiceOptions.parse(args);
        } catch (IllegalArgumentException e) {
            System.err.println(e.getMessage());
            System.err.println(ServiceOptions.USAGE);
            System.exit(2);
            return;
        }
        // No exchange may keep a client waiting for ever.
        System.setProperty("sun.net.httpserver.maxReqTime", String.valueOf(Exchanges.MAX_EXCHANGE_SECONDS));
        System.setProperty("sun.net.httpserver.maxRspTime", String.valueOf(Exchanges.MAX_EXCHANGE_SECONDS));

        InetAddress loopback = InetAddress.getByName("127.0.0.1");
        ExecutorService workers = Executors.newCachedThreadPool(r -> {
            Thread t = new Thread(r, "voske-service");
            t.setDaemon(true);
            return t;
        });

        HttpServer service = HttpServer.create(new InetSocketAddress(loopback, options.port), 16);
        service.createContext(DocumentHandler.CONTEXT, new DocumentHandler(options));
        service.setExecutor(workers);
        service.start();
        System.out.println("VOSKE_WEBSERVICE_URL=http://127.0.0.1:" + service.getAddress().getPort()
                + DocumentHandler.CONTEXT);

        HttpServer proxy = null;
        if (options.proxyPort != null) {
            proxy = HttpServer.create(new InetSocketAddress(loopback, options.proxyPort), 16);
            proxy.createContext("/", new ProxyHandler(options));
            proxy.setExecutor(workers);
            proxy.start();
            System.out.println("PROXY=127.0.0.1:" + proxy.getAddress().getPort());
        }
        System.out.flush();

        CountDownLatch stop = new CountDownLatch(1);
        if (options.stopOnEndOfInput) {
            Thread watcher = new Thread(() -> {
                try {
                    while (System.in.read() >= 0) {
                        // the content does not matter; only its end does
                    }
                } catch (IOException e) {
                    // a broken pipe ends the service too
                }
                stop.countDown();
            }, "voske-stdin");
            watcher.setDaemon(true);
            watcher.start();
        }
        if (options.maxSeconds > 0) {
            stop.await(options.maxSeconds, TimeUnit.SECONDS);
        } else {
            stop.await();
        }
        service.stop(0);
        if (proxy != null) proxy.stop(0);
        workers.shutdownNow();
    }
}
