// 关于翎川: the program's version, when and for what it was built, its licence
// and the libraries it contains with theirs. `lingchuan --version` prints the
// version and the licence line.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;

namespace lc::app {

// "许可证：GPL-3.0-or-later（…）".
QString licenceLine();

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    // The texts shown: the program's and the third-party table's (plain text,
    // one part a line: name, what it does, its licence).
    QString programText() const;
    QString thirdPartyText() const;

private:
    QLabel* program_ = nullptr;
    QLabel* thirdParty_ = nullptr;
};

}  // namespace lc::app
