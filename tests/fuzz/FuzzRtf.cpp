// Fuzz target: arbitrary bytes as a details page. Reading must not crash, hang or grow without
// bound, and whatever was read (text, formats, pictures, tables) must survive our writer and
// reader unchanged.
#include "shell/rtf/RtfReader.h"
#include "shell/rtf/RtfWriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

namespace {

// QTextDocument needs a QGuiApplication; the offscreen platform needs no display.
void ensureApplication()
{
    static QGuiApplication *application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_rtf";
        static char *argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)application;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ensureApplication();
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    QTextDocument document;
    nimbus::rtf::RtfReader reader;
    reader.read(bytes, &document);

    nimbus::rtf::RtfWriter writer;
    const QByteArray written = writer.write(document);
    QTextDocument again;
    if (!reader.read(written, &again))
        std::abort(); // our own output must read completely
    if (again.toRawText() != document.toRawText())
        std::abort(); // text lost or changed on the way
    if (writer.write(again) != written)
        std::abort(); // formats lost or changed on the way
    return 0;
}
