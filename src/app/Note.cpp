#include "Note.h"

#include "controls/FormControls.h"
#include "controls/MyPanel.h"
#include "controls/WindowsFonts.h"
#include "guard/ErrorGuard.h"
#include "richedit/RichEdit.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace {

[[noreturn]] void failToOpen(const QFile &file)
{
    throw std::runtime_error(QStringLiteral("Cannot open file \"%1\". %2")
                                 .arg(QDir::toNativeSeparators(file.fileName()), file.errorString())
                                 .toStdString());
}

QByteArray readNote(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failToOpen(file);
    // One byte more than the largest note tells a file that grows as it is read (a device) from
    // one that fits.
    QByteArray content = file.read(TFrmNote::maxSize + 1);
    if (file.error() != QFile::NoError)
        failToOpen(file);
    if (content.size() > TFrmNote::maxSize) {
        throw std::runtime_error(QStringLiteral("Le fichier « %1 » est trop grand pour être une note : %2 Mo au plus.")
                                     .arg(QDir::toNativeSeparators(path))
                                     .arg(TFrmNote::maxSize / (1024 * 1024))
                                     .toStdString());
    }
    return content;
}

} // namespace

TFrmNote::TFrmNote(QWidget *owner, const QString &applicationFolder)
    : ModalForm(owner, QStringLiteral("Note"), QSize(664, 386), Border::Dialog)
{
    setObjectName(QStringLiteral("FrmNote"));
    QWidget *p = panel();

    RichEdit1 = new richedit::RichEdit(p);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(10, 8, 641, 327);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font = WindowsFonts::font(QStringLiteral("Arial"), 16);
    font.setBold(true);
    RichEdit1->setFont(font);
    QPalette colours = RichEdit1->palette();
    colours.setColor(QPalette::Text, FormControls::navy);
    RichEdit1->setPalette(colours);
    // A note in plain text is read in the typing attributes: these make it the default format.
    QTextCharFormat typing;
    typing.setFont(font);
    typing.setForeground(FormControls::navy);
    RichEdit1->setCurrentCharFormat(typing);
    RichEdit1->setFocus();

    FormControls::button<TMyButton>(p, QStringLiteral("MyButton1"), QStringLiteral("&Ok"), QString(),
        QRect(280, 341, 80, 24), this, &TFrmNote::MyButton1Click);

    // The window is shown whether the note could be read or not.
    ErrorGuard::run([this, &applicationFolder] { FormCreate(applicationFolder); });
}

void TFrmNote::FormCreate(const QString &applicationFolder)
{
    const QByteArray note = readNote(applicationFolder + QStringLiteral("/note.rtf"));
    if (RichEdit1->streamIn(note, richedit::StreamFormat::Rtf))
        RichEdit1->streamIn(note, richedit::StreamFormat::PlainText);
}

void TFrmNote::MyButton1Click()
{
    close();
}
