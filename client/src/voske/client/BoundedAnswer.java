package voske.client;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.net.http.HttpResponse;
import java.nio.ByteBuffer;
import java.nio.channels.FileChannel;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import java.util.concurrent.CompletableFuture;
import java.util.concurrent.CompletionStage;
import java.util.concurrent.Flow;

/**
 * The service's answer, read within bounds as it arrives. An acceptance's
 * receipt goes straight into a temporary file in the receipt folder; a
 * refusal's text is kept in memory. An answer longer than its bound ends the
 * exchange as a communication failure: a service that sends without end (or a
 * gigabyte) can neither exhaust memory nor pass for an acceptance.
 */
final class BoundedAnswer {
    /**
     * A receipt is a few hundred bytes (protocol number, kind, time, size,
     * digest); a megabyte leaves room for a signed one.
     */
    static final long MAX_RECEIPT_BYTES = 1L << 20;
    /** A refusal is a sentence or a list of problems, shown in a message. */
    static final long MAX_REFUSAL_BYTES = 64L << 10;

    /** Thrown when the answer goes past its bound. */
    static final class TooLong extends IOException {
        private static final long serialVersionUID = 1L;

        TooLong(long limit) {
            super("A resposta do WebService excede " + limit + " bytes.", null);
        }
    }

    /** What was read: the status, and the receipt's file or the refusal's bytes. */
    static final class Answer {
        final HttpResponse.ResponseInfo info;
        /** The receipt, complete, in its temporary file; null for a refusal or when it could not be kept. */
        final Path receipt;
        /** Why the receipt of an acceptance could not be kept, or null. */
        final IOException receiptFailure;
        final byte[] refusal;

        Answer(HttpResponse.ResponseInfo info, Path receipt, IOException receiptFailure, byte[] refusal) {
            this.info = info;
            this.receipt = receipt;
            this.receiptFailure = receiptFailure;
            this.refusal = refusal;
        }
    }

    private final Path folder;
    private Reader reader;  // of the answer being read, once its headers are in
    private boolean abandoned;

    /** For one exchange, whose receipt goes into `folder`. */
    BoundedAnswer(Path folder) {
        this.folder = folder;
    }

    HttpResponse.BodyHandler<Answer> handler() {
        return info -> {
            synchronized (this) {
                reader = new Reader(info, folder);
                if (abandoned) reader.abandon();
                return reader;
            }
        };
    }

    /**
     * The exchange is given up (past its time, or interrupted): whatever the
     * client's threads still deliver is dropped, and the partial receipt is
     * deleted now, before the caller returns, not when they get round to it.
     */
    synchronized void abandon() {
        abandoned = true;
        if (reader != null) reader.abandon();
    }

    private static final class Reader implements HttpResponse.BodySubscriber<Answer> {
        private final CompletableFuture<Answer> result = new CompletableFuture<>();
        private final HttpResponse.ResponseInfo info;
        private final long limit;
        private final ByteArrayOutputStream refusal = new ByteArrayOutputStream();
        private Flow.Subscription subscription;
        private FileChannel file;
        private Path temp;
        private IOException receiptFailure;
        private long received;

        Reader(HttpResponse.ResponseInfo info, Path folder) {
            this.info = info;
            boolean accepted = info.statusCode() == 200;
            limit = accepted ? MAX_RECEIPT_BYTES : MAX_REFUSAL_BYTES;
            if (!accepted) return;
            try {
                temp = ReceiptWriter.createTemporary(folder);
                file = FileChannel.open(temp, java.nio.file.StandardOpenOption.WRITE);
            } catch (IOException | RuntimeException e) {
                // The document was accepted all the same: the answer is still
                // read (within its bound) and the caller says so.
                receiptFailure = e instanceof IOException io ? io : new IOException(e);
                discard();
            }
        }

        @Override
        public synchronized CompletionStage<Answer> getBody() {
            return result;
        }

        @Override
        public synchronized void onSubscribe(Flow.Subscription s) {
            subscription = s;
            if (result.isDone()) {
                s.cancel();
                return;
            }
            long declared = info.headers().firstValueAsLong("Content-Length").orElse(-1L);
            if (declared > limit) {
                fail(new TooLong(limit));
                return;
            }
            s.request(1);
        }

        @Override
        public synchronized void onNext(List<ByteBuffer> buffers) {
            if (result.isDone()) return;
            try {
                for (ByteBuffer b : buffers) {
                    received += b.remaining();
                    if (received > limit) {
                        fail(new TooLong(limit));
                        return;
                    }
                    write(b);
                }
                subscription.request(1);
            } catch (RuntimeException e) {
                fail(new IOException(e));
            }
        }

        @Override
        public synchronized void onError(Throwable t) {
            if (result.isDone()) return;
            discard();
            result.completeExceptionally(t);
        }

        @Override
        public synchronized void onComplete() {
            if (result.isDone()) return;
            try {
                if (file != null) {
                    file.force(false);
                    file.close();
                    file = null;
                }
            } catch (IOException e) {
                receiptFailure = e;
                discard();
            }
            result.complete(new Answer(info, temp, receiptFailure, refusal.toByteArray()));
        }

        synchronized void abandon() {
            discard();
            if (subscription != null) subscription.cancel();
            result.completeExceptionally(new IOException("A troca com o WebService foi abandonada."));
        }

        private void write(ByteBuffer b) {
            if (info.statusCode() != 200) {
                byte[] bytes = new byte[b.remaining()];
                b.get(bytes);
                refusal.writeBytes(bytes);
                return;
            }
            if (file == null) return;  // accepted, but nowhere to keep the receipt
            try {
                while (b.hasRemaining()) file.write(b);
            } catch (IOException e) {
                receiptFailure = e;
                discard();
            }
        }

        private void fail(IOException e) {
            if (subscription != null) subscription.cancel();
            discard();
            result.completeExceptionally(e);
        }

        /** Lets go of the temporary receipt, if any. */
        private void discard() {
            try {
                if (file != null) file.close();
            } catch (IOException e) {
                // being let go of anyway
            }
            file = null;
            if (temp != null) {
                try {
                    Files.deleteIfExists(temp);
                } catch (IOException e) {
                    // nothing more can be done about it
                }
                temp = null;
            }
        }
    }
}
