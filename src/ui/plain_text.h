// Texts from data (a job's captions, file names, paths) in the places where the
// widgets read marks into their text: a window title takes "[*]" for the
// modified mark, a menu entry or a button takes "&" for its key, a tab in a
// menu entry begins its shortcut column, a tooltip may be taken as markup. Each
// function gives the text to hand to the widget so that it shows the
// characters as they are, on one line.
#pragma once

#include <QString>

namespace lc::ui {

// Line breaks, tabs and other control characters as blanks.
QString oneLine(QString text);

// For setWindowTitle: line breaks, tabs and other control characters as
// blanks, "[*]" kept as text.
QString titleText(const QString& text);

// For a menu entry or a button: line breaks, tabs and other control characters
// as blanks, "&" kept as text (no key of its own).
QString menuText(const QString& text);

// For setToolTip: the text as plain text, never as markup.
QString tipText(const QString& text);

// A name placed among the program's own words (a file name in a title or a
// menu): isolated (U+2068 … U+2069) when it holds right-to-left letters or
// direction controls, so that it cannot reorder the words around it.
QString isolatedName(const QString& name);

}  // namespace lc::ui
