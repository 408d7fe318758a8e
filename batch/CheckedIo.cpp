#include "batch/CheckedIo.h"

#include <cerrno>
#include <unistd.h>

std::string ErrorText(int error)
{
    switch (error) {
    case 0: return "Datei unerwartet zu Ende";
    case ENOSPC: return "kein Platz mehr auf dem Datenträger";
    case EDQUOT: return "Kontingent überschritten";
    case EFBIG: return "Datei zu groß";
    case EPIPE: return "der Empfänger liest nicht mehr";
    case EBADF: return "nicht zum Schreiben geöffnet";
    case EACCES:
    case EPERM: return "keine Berechtigung";
    case EROFS: return "Dateisystem nur lesbar";
    case ENOENT:
    case ENOTDIR: return "Verzeichnis nicht vorhanden";
    case EIO: return "Ein-/Ausgabefehler";
    case EISDIR: return "ist ein Verzeichnis";
    case EEXIST: return "Datei schon vorhanden";
    case ENAMETOOLONG: return "Name zu lang";
    case ELOOP: return "zu viele symbolische Verweise";
    case ENXIO: return "Gerät nicht vorhanden oder Pipe ohne Leser";
    case ENODEV: return "Gerät nicht vorhanden";
    case ETXTBSY: return "Programmdatei in Gebrauch";
    case EMFILE:
    case ENFILE: return "zu viele offene Dateien";
    case ENOMEM: return "Speicher reicht nicht aus";
    case EBUSY: return "Gerät oder Datei belegt";
    case EXDEV: return "auf einem anderen Dateisystem";
    default: return "Systemfehler " + std::to_string(error);
    }
}

void RaiseOutputError(std::string_view what, int error)
{
    throw EOutputError(std::string(what) + ": " + ErrorText(error));
}

void WriteAll(int descriptor, std::string_view text, std::string_view what)
{
    while (!text.empty()) {
        const ssize_t n = ::write(descriptor, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            RaiseOutputError(what, n < 0 ? errno : ENOSPC);
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}
