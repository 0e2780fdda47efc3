// voske-icons: draws the program's picture as the PNG icons the desktop
// entry uses, one per size, into <folder>/<size>x<size>/apps/voske-xml.png.
// Runs at build time on Qt's offscreen platform.
#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

#include "common/program_arguments.h"
#include "entry/icons.h"

int main(int argc, char** argv) {
  const voske::programs::ProgramSyntax syntax{
      "voske-icons",
      "Uso: voske-icons PASTA TAMANHO...\n"
      "Desenha o ícone do programa em PASTA/TAMANHOxTAMANHO/apps/voske-xml.png, um por tamanho.\n",
      {}, 2, 64};
  if (const auto status = voske::programs::CheckArguments(syntax, argc, argv)) return *status;
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    const int size = QString::fromLatin1(argv[i]).toInt();
    if (size <= 0) {
      std::fprintf(stderr, "voske-icons: tamanho inválido: %s\n", argv[i]);
      return 2;
    }
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
    const QString path = dir + QStringLiteral("/voske-xml.png");
    if (!QDir().mkpath(dir) || !voske::ProgramIconImage(size).save(path, "PNG")) {
      std::fprintf(stderr, "voske-icons: não foi possível gravar %s\n", path.toUtf8().constData());
      return 1;
    }
  }
  return 0;
}
