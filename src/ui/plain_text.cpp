#include "ui/plain_text.h"

#include <QTextDocument>
#include <algorithm>

namespace lc::ui {

QString oneLine(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    return text;
}

// Qt takes "[*][*]" for a "[*]" of text.
QString titleText(const QString& text) { return oneLine(text).replace("[*]", "[*][*]"); }

QString menuText(const QString& text) { return oneLine(text).replace('&', "&&"); }

QString tipText(const QString& text) { return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal); }

QString isolatedName(const QString& name) {
    const QList<uint> characters = name.toUcs4();
    const bool needed = std::any_of(characters.begin(), characters.end(), [](uint c) {
        switch (QChar::direction(c)) {
            case QChar::DirR: case QChar::DirAL: case QChar::DirLRE: case QChar::DirLRO: case QChar::DirRLE:
            case QChar::DirRLO: case QChar::DirPDF: case QChar::DirLRI: case QChar::DirRLI: case QChar::DirFSI:
            case QChar::DirPDI: return true;
            default: return false;
        }
    });
    if (!needed) return name;
    // A closing mark of the name's own with nothing of its own to close would
    // close the isolation instead: it is left out. Isolations the name opens
    // and leaves open are closed before it ends; its embeddings and overrides
    // end with it.
    QString out(QChar(0x2068));
    int open = 0;
    for (const uint c : characters) {
        const QChar::Direction d = QChar::direction(c);
        if (d == QChar::DirPDI) {
            if (open == 0) continue;
            --open;
        } else if (d == QChar::DirLRI || d == QChar::DirRLI || d == QChar::DirFSI) {
            ++open;
        }
        out += QChar::fromUcs4(c);
    }
    return out + QString(open + 1, QChar(0x2069));
}

}  // namespace lc::ui
