// voske-windows-icons: draws the library's icons ICON_0 to ICON_16, and the
// plain one for kinds without their own, as the Windows icon files the
// Windows build takes as resources (src/entry-win32/icons). Each file holds
// the sizes the windows ask for; the program's picture (ICON_0) also the
// larger ones of the title bar, the task switcher and the shortcuts.
// Runs on Qt's offscreen platform: scripts/update-windows-icons.
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "entry/icons.h"

namespace {

void Put16(QByteArray& out, std::uint16_t v) {
  out.append(static_cast<char>(v & 0xff)).append(static_cast<char>(v >> 8));
}
void Put32(QByteArray& out, std::uint32_t v) {
  Put16(out, static_cast<std::uint16_t>(v & 0xffff));
  Put16(out, static_cast<std::uint16_t>(v >> 16));
}

// One image as an icon file entry: a bitmap header, the 32-bit pixels
// bottom row first, and an all-clear mask (the alpha channel draws).
QByteArray IconImage(const QImage& image) {
  const int size = image.width();
  QByteArray out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(size));
  Put32(out, static_cast<std::uint32_t>(size * 2));  // the pixels and the mask
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = size - 1; y >= 0; --y)
    for (int x = 0; x < size; ++x) Put32(out, image.pixel(x, y));
  const int maskRow = ((size + 31) / 32) * 4;
  out.append(QByteArray(maskRow * size, '\0'));
  return out;
}

bool WriteIcon(int kind, const QString& path, const std::vector<int>& sizes) {
  std::vector<QByteArray> images;
  for (int size : sizes) images.push_back(IconImage(voske::VoskeIconImage(kind, size)));
  QByteArray file;
  Put16(file, 0);
  Put16(file, 1);  // an icon
  Put16(file, static_cast<std::uint16_t>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    file.append(static_cast<char>(sizes[i] >= 256 ? 0 : sizes[i]));
    file.append(static_cast<char>(sizes[i] >= 256 ? 0 : sizes[i]));
    file.append('\0').append('\0');
    Put16(file, 1);
    Put16(file, 32);
    Put32(file, static_cast<std::uint32_t>(images[i].size()));
    Put32(file, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const QByteArray& image : images) file.append(image);
  QFile out(path);
  return out.open(QIODevice::WriteOnly) && out.write(file) == file.size();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '-') {
    std::fprintf(stderr,
                 "Uso: voske-windows-icons PASTA\n"
                 "Desenha os ícones ICON_0.ico a ICON_16.ico e ICON_PLAIN.ico em PASTA.\n");
    return argc == 2 && QByteArray(argv[1]) == "--help" ? 0 : 2;
  }
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (int kind = -1; kind < voske::kIconCount; ++kind) {
    const QString name = kind < 0 ? QStringLiteral("ICON_PLAIN") : QStringLiteral("ICON_%1").arg(kind);
    const std::vector<int> sizes = kind == 0 ? std::vector<int>{16, 20, 24, 32, 48, 64} : std::vector<int>{16, 20, 32};
    const QString path = folder + QChar('/') + name + QStringLiteral(".ico");
    if (!WriteIcon(kind, path, sizes)) {
      std::fprintf(stderr, "voske-windows-icons: não foi possível gravar %s\n", path.toUtf8().constData());
      return 1;
    }
  }
  return 0;
}
