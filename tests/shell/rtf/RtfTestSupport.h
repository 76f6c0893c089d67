// Small helpers of the RTF tests: reading RTF text into a document and looking at the
// format of a piece of its text.
#pragma once

#include "shell/rtf/RtfReader.h"
#include "shell/rtf/RtfWriter.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include <memory>

namespace nimbus::rtf::testing {

inline std::unique_ptr<QTextDocument> readRtf(QByteArrayView bytes, bool expectComplete = true)
{
    auto document = std::make_unique<QTextDocument>();
    RtfReader reader;
    const bool complete = reader.read(bytes, document.get());
    EXPECT_EQ(complete, expectComplete) << reader.errorString().toStdString();
    return document;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// The character format of the first character of `text` in the document.
inline QTextCharFormat formatOf(const QTextDocument &document, const QString &text)
{
    const QTextCursor found = document.find(text);
    EXPECT_FALSE(found.isNull()) << "text not found: " << text.toStdString();
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

// The block that holds `text`.
inline QTextBlock blockOf(const QTextDocument &document, const QString &text)
{
    const QTextCursor found = document.find(text);
    EXPECT_FALSE(found.isNull()) << "text not found: " << text.toStdString();
    return found.block();
}

inline QStringList blockTexts(const QTextDocument &document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

} // namespace nimbus::rtf::testing
