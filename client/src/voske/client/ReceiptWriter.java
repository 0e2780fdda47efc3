package voske.client;

import java.io.IOException;
import java.nio.file.AtomicMoveNotSupportedException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;

/** Writes a receipt into the receipt folder without ever leaving a partial file. */
final class ReceiptWriter {
    private ReceiptWriter() {}

    /**
     * The service proposes the file name; anything but letters, digits, dot,
     * dash and underscore is replaced, so a hostile name cannot leave the folder.
     */
    static String safeName(String proposed, String kind) {
        String name = proposed == null ? "" : proposed.replaceAll("[^A-Za-z0-9._-]", "_");
        if (name.isEmpty() || name.chars().allMatch(c -> c == '.')) {
            name = "recibo_" + kind + "_" + System.currentTimeMillis() + ".xml";
        }
        return name;
    }

    static Path write(String folder, String name, byte[] content) throws IOException {
        Path dir = Paths.get(folder);
        Files.createDirectories(dir);
        Path target = dir.resolve(name);
        Path temp = Files.createTempFile(dir, ".recibo", ".tmp");
        try {
            Files.write(temp, content);
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
