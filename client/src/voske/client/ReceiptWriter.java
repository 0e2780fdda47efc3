package voske.client;

import java.io.IOException;
import java.nio.file.AtomicMoveNotSupportedException;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.Files;
import java.nio.file.Path;
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

    /**
     * A new, empty temporary file in `folder` (created if missing), where a
     * receipt is written as it arrives. It is created with no permissions of
     * its own, so that the user's umask decides, as for the documents the
     * program writes (a temporary file of the JDK would be readable by its
     * owner only).
     */
    static Path createTemporary(Path folder) throws IOException {
        Files.createDirectories(folder);
        for (int attempt = 0; ; attempt++) {
            Path candidate = folder.resolve(".recibo-" + Long.toUnsignedString(RANDOM.nextLong()) + ".tmp");
            try {
                Files.newOutputStream(candidate, StandardOpenOption.CREATE_NEW, StandardOpenOption.WRITE).close();
                return candidate;
            } catch (FileAlreadyExistsException e) {
                if (attempt >= 100) throw e;
            }
        }
    }

    /**
     * Puts the complete receipt `temp` in place under `name` in `folder`; the
     * temporary file is gone afterwards whatever happens, so no partial
     * receipt is ever left.
     */
    static Path place(Path temp, Path folder, String name) throws IOException {
        Path target = folder.resolve(name);
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
