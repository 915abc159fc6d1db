#include "util/ErrorText.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#include "util/cp1252.h"

namespace {

void AppendHex(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\x";
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

}  // namespace

std::string ShownText(std::string_view bytes) {
  std::string out;
  size_t shown = 0, i = 0;
  while (i < bytes.size()) {
    if (shown == kShownLimit) {
      out += "...";
      break;
    }
    const size_t n = Utf8SequenceLength(bytes, i);
    const auto c = static_cast<unsigned char>(bytes[i]);
    // C1 controls (U+0080..U+009F) steer terminals as much as C0 ones do.
    const bool c1 = n == 2 && c == 0xC2 && static_cast<unsigned char>(bytes[i + 1]) < 0xA0;
    if (n == 0 || (n == 1 && (c < 0x20 || c == 0x7F)) || c1) {
      for (size_t k = 0; k < (c1 ? 2 : 1); ++k) AppendHex(out, static_cast<unsigned char>(bytes[i + k]));
      i += c1 ? 2 : 1;
    } else {
      out.append(bytes.substr(i, n));
      i += n;
    }
    ++shown;
  }
  return out;
}

std::string ShownPath(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::u8string u8 = path.u8string();
  return ShownText(std::string_view(reinterpret_cast<const char*>(u8.data()), u8.size()));
#else
  return ShownText(path.native());
#endif
}

namespace {

std::atomic<uint8_t> gReasonLanguage{0};

struct GermanReasonT {
  int error;
  const char* text;
};

// The reasons a file write or a folder check meets.
constexpr GermanReasonT kGermanReasons[] = {
    {EPERM, "Die Operation ist nicht erlaubt"},
    {ENOENT, "Datei oder Verzeichnis nicht gefunden"},
    {EINTR, "Der Systemaufruf wurde unterbrochen"},
    {EIO, "Ein- oder Ausgabefehler"},
    {EBADF, "Ungültiger Dateideskriptor"},
    {ENOMEM, "Nicht genügend Speicher"},
    {EACCES, "Keine Berechtigung"},
    {EBUSY, "Gerät oder Ressource ist belegt"},
    {EEXIST, "Die Datei existiert bereits"},
    {EXDEV, "Verknüpfung über Gerätegrenzen hinweg"},
    {ENOTDIR, "Ist kein Verzeichnis"},
    {EISDIR, "Ist ein Verzeichnis"},
    {EINVAL, "Ungültiges Argument"},
    {ENFILE, "Zu viele offene Dateien im System"},
    {EMFILE, "Zu viele offene Dateien"},
    {ETXTBSY, "Die Programmdatei ist belegt"},
    {EFBIG, "Die Datei ist zu groß"},
    {ENOSPC, "Kein Platz mehr auf dem Gerät"},
    {EROFS, "Das Dateisystem ist nur lesbar"},
    {EPIPE, "Die Gegenseite hat die Verbindung geschlossen"},
    {ENAMETOOLONG, "Der Dateiname ist zu lang"},
    {ENOTEMPTY, "Das Verzeichnis ist nicht leer"},
    {ELOOP, "Zu viele Ebenen symbolischer Verknüpfungen"},
#ifdef EDQUOT
    {EDQUOT, "Das Speicherkontingent ist überschritten"},
#endif
};

}  // namespace

std::string SystemReason(int error, uint8_t language) {
  if (language == 1) {
    for (const GermanReasonT& r : kGermanReasons)
      if (r.error == error) return r.text;
  }
  return std::strerror(error);
}

std::string SystemReason(int error) { return SystemReason(error, ReasonLanguage()); }

void SetReasonLanguage(uint8_t language) { gReasonLanguage = language; }

uint8_t ReasonLanguage() { return gReasonLanguage; }
