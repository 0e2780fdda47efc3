package voske.client;

import java.io.IOException;
import java.io.OutputStream;
import java.nio.file.AtomicMoveNotSupportedException;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import java.nio.file.StandardOpenOption;
import java.security.SecureRandom;

/** Writes a receipt into the receipt folder without ever leaving a partial file. */
final class ReceiptWriter {
    /** The folder the program creates beside the receipts after an accepted sending. */
    static final String IMAGES_FOLDER = "Imagens";

    private static final SecureRandom RANDOM = new SecureRandom();

    private ReceiptWriter() {}

    /**
     * The service proposes the file name; anything but letters, digits, dot,
     * dash and underscore is replaced, so a hostile name cannot leave the folder.
     * The name of the images folder is kept for that folder: a receipt
     * proposed under it gets a prefix instead.
     */
    static String safeName(String proposed, String kind) {
        String name = proposed == null ? "" : proposed.replaceAll("[^A-Za-z0-9._-]", "_");
        if (name.isEmpty() || name.chars().allMatch(c -> c == '.')) {
            name = "recibo_" + kind + "_" + System.currentTimeMillis() + ".xml";
        }
        if (name.equalsIgnoreCase(IMAGES_FOLDER)) name = "recibo_" + name;
        return name;
    }

    static Path write(String folder, String name, byte[] content) throws IOException {
        Path dir = Paths.get(folder);
        Files.createDirectories(dir);
        Path target = dir.resolve(name);
        // Created with no permissions of its own, so that the user's umask
        // decides, as for the documents the program writes (a temporary file
        // of the JDK would be readable by its owner only).
        Path temp = null;
        for (int attempt = 0; temp == null; attempt++) {
            Path candidate = dir.resolve(".recibo-" + Long.toUnsignedString(RANDOM.nextLong()) + ".tmp");
            try (OutputStream out = Files.newOutputStream(candidate, StandardOpenOption.CREATE_NEW,
                    StandardOpenOption.WRITE)) {
                temp = candidate;
                out.write(content);
            } catch (FileAlreadyExistsException e) {
                if (attempt >= 100) throw e;
            } catch (IOException | RuntimeException e) {
                if (temp != null) Files.deleteIfExists(temp);
                throw e;
            }
        }
        try {
            try {
                Files.move(temp, target, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.ATOMIC_MOVE);
            } catch (AtomicMoveNotSupportedException e) {
                Files.move(temp, target, StandardCopyOption.REPLACE_EXISTING);
            }
        } finally {
            Files.deleteIfExists(temp);
        }
        return target;
    }
}
