// Build tool: turns the translation files (translations/nimbus_<language>.ts) into a C++ source
// of sorted tables that nimbus-cli reads without Qt. Only this tool uses Qt, and only while the
// program is built.
//
//   make_text_catalogue OUTPUT.cpp FILE.ts...
//
// Each language's messages are sorted by (context, source, comment) in byte order, as strcmp
// compares them. A translation that is empty, or that lupdate marked vanished or obsolete, is
// left out, as lrelease leaves it out of the window's .qm files. A language whose counted forms
// (%n) the tool has no rule for stops the build: its forms would be picked wrongly.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

struct Message {
    QByteArray context;
    QByteArray source;
    QByteArray comment;
    QList<QByteArray> forms;
};

struct Language {
    QByteArray tag;
    QByteArray rule;
    std::vector<Message> messages;
};

// How a language picks among its counted forms, by the names of the catalogue's PluralRule.
// The forms are in the order the .ts file gives them, as Qt's own rules number them.
const std::map<QByteArray, QByteArray> kPluralRules = {
    {"de", "OneOther"},     {"en", "OneOther"},        {"nl", "OneOther"}, {"sv", "OneOther"},
    {"da", "OneOther"},     {"nb", "OneOther"},        {"it", "OneOther"}, {"es", "OneOther"},
    {"fr", "ZeroOneOther"}, {"pt_BR", "ZeroOneOther"},
};

QByteArray cString(const QByteArray &bytes)
{
    QByteArray out = "\"";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u >= 0x20 && u < 0x7f && c != '?') {
            out += c; // '?' is escaped below so that no trigraph can form
        } else {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", u);
            out += octal;
        }
    }
    return out + '"';
}

bool readMessage(QXmlStreamReader &xml, const QByteArray &context, Message &message, bool &keep)
{
    message.context = context;
    keep = true;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"source") {
            message.source = xml.readElementText().toUtf8();
        } else if (xml.name() == u"comment") {
            message.comment = xml.readElementText().toUtf8();
        } else if (xml.name() == u"translation") {
            const auto type = xml.attributes().value(QStringLiteral("type"));
            if (type == u"vanished" || type == u"obsolete")
                keep = false;
            bool numerus = false;
            QString text;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isCharacters())
                    text += xml.text();
                else if (xml.isStartElement() && xml.name() == u"numerusform") {
                    numerus = true;
                    message.forms << xml.readElementText().toUtf8();
                } else if (xml.isEndElement() && xml.name() == u"translation")
                    break;
            }
            if (!numerus)
                message.forms << text.toUtf8();
        } else {
            xml.skipCurrentElement();
        }
    }
    if (message.forms.isEmpty() ||
        std::all_of(message.forms.begin(), message.forms.end(),
                    [](const QByteArray &form) { return form.isEmpty(); }))
        keep = false;
    return !xml.hasError();
}

bool readLanguage(const QString &path, Language &language, QString &problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != u"TS") {
        problem = path + QStringLiteral(": not a translation file");
        return false;
    }
    // "fr_FR" in the file; the program knows the language by the file's name ("nimbus_fr").
    const QString base = QFileInfo(path).completeBaseName();
    language.tag = base.mid(base.indexOf(u'_') + 1).toUtf8();
    const auto rule = kPluralRules.find(language.tag);
    if (rule == kPluralRules.end()) {
        problem = path + QStringLiteral(": no rule for the counted forms of \"") +
                  QString::fromUtf8(language.tag) +
                  QStringLiteral("\"; add it to kPluralRules in MakeTextCatalogue.cpp");
        return false;
    }
    language.rule = rule->second;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"context") {
            xml.skipCurrentElement();
            continue;
        }
        QByteArray context;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"name") {
                context = xml.readElementText().toUtf8();
            } else if (xml.name() == u"message") {
                Message message;
                bool keep = false;
                if (readMessage(xml, context, message, keep) && keep)
                    language.messages.push_back(std::move(message));
            } else {
                xml.skipCurrentElement();
            }
        }
    }
    if (xml.hasError()) {
        problem = path + QStringLiteral(":%1: %2").arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    auto key = [](const Message &m) { return std::tie(m.context, m.source, m.comment); };
    std::sort(language.messages.begin(), language.messages.end(),
              [&](const Message &a, const Message &b) { return key(a) < key(b); });
    // Two messages with one key (lupdate never writes them): the first counts.
    language.messages.erase(
        std::unique(language.messages.begin(), language.messages.end(),
                    [&](const Message &a, const Message &b) { return key(a) == key(b); }),
        language.messages.end());
    return true;
}

QByteArray tables(const std::vector<Language> &languages)
{
    QByteArray out = "// Made by make_text_catalogue from translations/*.ts; do not edit.\n"
                     "#include \"cli/TextCatalogue.h\"\n\n"
                     "namespace nimbus::cli {\n\nnamespace {\n\n";
    for (std::size_t l = 0; l < languages.size(); ++l) {
        const Language &language = languages[l];
        for (std::size_t m = 0; m < language.messages.size(); ++m) {
            out += "const char *const kForms" + QByteArray::number(qulonglong(l)) + "_" +
                   QByteArray::number(qulonglong(m)) + "[] = {";
            for (const QByteArray &form : language.messages[m].forms)
                out += cString(form) + ", ";
            out += "};\n";
        }
        out += "\nconst CatalogueEntry kEntries" + QByteArray::number(qulonglong(l)) + "[] = {\n";
        for (std::size_t m = 0; m < language.messages.size(); ++m) {
            const Message &message = language.messages[m];
            out += "    {" + cString(message.context) + ", " + cString(message.source) + ", " +
                   cString(message.comment) + ", kForms" + QByteArray::number(qulonglong(l)) + "_" +
                   QByteArray::number(qulonglong(m)) + ", " +
                   QByteArray::number(message.forms.size()) + "},\n";
        }
        out += "};\n\n";
    }
    out += "} // namespace\n\nconst CatalogueLanguage kCatalogueLanguages[] = {\n";
    for (std::size_t l = 0; l < languages.size(); ++l)
        out += "    {" + cString(languages[l].tag) + ", PluralRule::" + languages[l].rule +
               ", kEntries" + QByteArray::number(qulonglong(l)) + ", " +
               QByteArray::number(qulonglong(languages[l].messages.size())) + "},\n";
    // An array may not be empty: a last entry without a tag ends the list.
    out += "    {nullptr, PluralRule::OneOther, nullptr, 0},\n};\n\n} // namespace nimbus::cli\n";
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: make_text_catalogue OUTPUT.cpp FILE.ts...\n");
        return 2;
    }
    std::vector<Language> languages;
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        Language language;
        QString problem;
        if (!readLanguage(arguments[i], language, problem)) {
            std::fprintf(stderr, "make_text_catalogue: %s\n", qPrintable(problem));
            return 1;
        }
        languages.push_back(std::move(language));
    }
    std::sort(languages.begin(), languages.end(),
              [](const Language &a, const Language &b) { return a.tag < b.tag; });
    QSaveFile out(arguments[1]);
    if (!out.open(QIODevice::WriteOnly) || out.write(tables(languages)) < 0 || !out.commit()) {
        std::fprintf(stderr, "make_text_catalogue: %s: %s\n", qPrintable(arguments[1]),
                     qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
