#include "app/about.h"


#include <QDate>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>

namespace lc::app {
namespace {

const char* const kLicence = "许可证：GPL-3.0-or-later（GNU 通用公共许可证第3版或更新的版本）";

// What the program contains of others, with their licences, as the package's
// copyright file lists them.
struct Part {
    const char* name;
    const char* what;
    const char* licence;
};
const Part kParts[] = {
    {"Qt 6", "窗口、打印与PDF", "LGPL-3.0-only 或 GPL-2.0-only 或 GPL-3.0-only"},
    {"GMP", "多精度运算", "LGPL-3.0-or-later 或 GPL-2.0-or-later"},
    {"MPFR", "正确舍入的初等函数", "LGPL-3.0-or-later"},
    {"nlohmann-json", "计算文件（JSON）", "MIT"},
    {"dxflib", "DXF文件", "GPL-2.0-or-later"},
#ifdef Q_OS_WIN
    // Linked into the static Qt of the Windows build.
    {"FreeType", "字体", "FTL 或 GPL-2.0-or-later"},
    {"HarfBuzz", "文字排版", "MIT"},
    {"libpng", "PNG图片", "libpng-2.0"},
    {"zlib", "压缩", "Zlib"},
    {"PCRE2", "正则表达式", "BSD-3-Clause"},
#endif
};

// The day of the build, from the compiler's "May  6 2024".
QString buildDate() {
    const QDate d = QLocale::c().toDate(QString::fromLatin1(__DATE__).simplified(), "MMM d yyyy");
    return d.isValid() ? d.toString(Qt::ISODate) : QString::fromLatin1(__DATE__);
}

}  // namespace

QString licenceLine() { return kLicence; }

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutDialog");
    setWindowTitle("关于翎川");
    program_ = new QLabel(this);
    program_->setObjectName("AboutProgram");
    program_->setTextFormat(Qt::PlainText);
#ifdef Q_OS_WIN
    const QString system = "Windows";
#else
    const QString system = "Linux";
#endif
    program_->setText(QString("翎川 %1：弧齿锥齿轮副的计算单\n构建：%2，%3 %4，Qt %5\n%6\n"
                              "本程序是自由软件，不提供任何担保；许可证全文见随程序附带的 LICENSE 文件。")
                          .arg(QStringLiteral(LC_VERSION), buildDate(), system, QSysInfo::buildCpuArchitecture(),
                               QString::fromLatin1(qVersion()), kLicence));
    QString parts = "所含第三方软件及其许可证：";
    for (const Part& p : kParts) parts += QString("\n%1（%2）：%3").arg(p.name, p.what, p.licence);
    thirdParty_ = new QLabel(parts, this);
    thirdParty_->setObjectName("AboutThirdParty");
    thirdParty_->setTextFormat(Qt::PlainText);
    for (QLabel* l : {program_, thirdParty_}) l->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* qt = buttons->addButton("关于Qt", QDialogButtonBox::HelpRole);
    connect(qt, &QPushButton::clicked, this, [this] { QMessageBox::aboutQt(this, "关于Qt"); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(program_);
    layout->addSpacing(8);
    layout->addWidget(thirdParty_);
    layout->addWidget(buttons);
}

QString AboutDialog::programText() const { return program_->text(); }
QString AboutDialog::thirdPartyText() const { return thirdParty_->text(); }

}  // namespace lc::app
