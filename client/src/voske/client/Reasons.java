package voske.client;

import java.nio.file.AccessDeniedException;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.FileSystemException;
import java.nio.file.NoSuchFileException;
import java.nio.file.NotDirectoryException;

/**
 * Why a file could not be read or written, in the user's words. The Java
 * library's own messages are English and name its classes; they never reach
 * the user.
 */
final class Reasons {
    private Reasons() {}

    static String of(Throwable e) {
        if (e instanceof NoSuchFileException) return "o arquivo ou a pasta não existe";
        if (e instanceof AccessDeniedException) return "permissão negada";
        if (e instanceof FileAlreadyExistsException) return "já existe um arquivo com esse nome no lugar da pasta";
        if (e instanceof NotDirectoryException) return "o caminho não é uma pasta";
        String reason = e instanceof FileSystemException fs ? fs.getReason() : e.getMessage();
        return ofSystem(reason == null ? "" : reason);
    }

    /** The system's own reason (strerror), as the library passes it on. */
    private static String ofSystem(String reason) {
        if (reason.contains("File name too long")) return "o nome do arquivo é longo demais";
        if (reason.contains("No space left")) return "não há espaço livre no disco";
        if (reason.contains("Disk quota")) return "a cota de disco foi excedida";
        if (reason.contains("Not a directory")) return "o caminho não é uma pasta";
        if (reason.contains("Is a directory")) return "o caminho é uma pasta";
        if (reason.contains("Read-only file system")) return "o disco só permite leitura";
        if (reason.contains("Permission denied")) return "permissão negada";
        if (reason.contains("No such file")) return "o arquivo ou a pasta não existe";
        return "erro de leitura ou gravação no disco";
    }
}
