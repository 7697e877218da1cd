#include "MyPanel.h"

#include "ControlBitmaps.h"
#include "WindowsFonts.h"

#include <QEvent>
#include <QMainWindow>
#include <QPainter>

namespace {

const QColor surface(0xbb, 0xcc, 0xcd);
const QColor navy(0x00, 0x00, 0x80);

} // namespace

TMyPanel::TMyPanel(QWidget *parent)
    : QWidget(parent)
    , m_background(ControlBitmaps::load(QStringLiteral("BMP_FOND")))
    , m_bitmapHeight(m_background.height())
    , m_bitmapWidth(m_background.width())
    , m_cellHeight(m_bitmapHeight / 3)
    , m_cellWidth(m_bitmapWidth / 3)
{
    setUpWindow();
    if (auto *mainWindow = qobject_cast<QMainWindow *>(parent)) {
        mainWindow->setCentralWidget(this);
    } else if (parent) {
        parent->installEventFilter(this);
        fillParent();
    }
}

// Runs again just before the panel is first shown, so that these values win over whatever the
// window set after creating the panel.
void TMyPanel::setUpWindow()
{
    QFont font = WindowsFonts::font(QStringLiteral("MS Sans Serif"), 11);
    font.setBold(true);
    setFont(font);

    QPalette colours = palette();
    colours.setColor(QPalette::Window, surface);
    // Disabled controls keep the greyed text that says they are disabled.
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::WindowText, navy);
        colours.setColor(group, QPalette::Text, navy);
    }
    setPalette(colours);
    setAutoFillBackground(true);
    setEnabled(true);
}

void TMyPanel::fillParent()
{
    setGeometry(parentWidget()->rect());
}

bool TMyPanel::event(QEvent *event)
{
    if (event->type() == QEvent::Polish)
        setUpWindow();
    return QWidget::event(event);
}

bool TMyPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        fillParent();
    return QWidget::eventFilter(watched, event);
}

// The nine cells of the bitmap are copied pixel for pixel, never stretched: corners once, edges
// and centre tiled from the top-left. The right and bottom pieces are painted last, flush with
// the edges, over the last tiles, so no gap shows at any size; on a panel smaller than two
// cells they overlap the left and top ones.
void TMyPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int W = m_bitmapWidth;
    const int H = m_bitmapHeight;
    const int cw = m_cellWidth;
    const int ch = m_cellHeight;
    const int CW = width();
    const int CH = height();
    const auto copy = [&](int sourceX, int sourceY, int targetX, int targetY) {
        painter.drawPixmap(targetX, targetY, m_background, sourceX, sourceY, cw, ch);
    };

    copy(0, 0, 0, 0);
    const int n = (CH - ch) / ch;
    for (int i = 1; i <= n; ++i)
        copy(0, ch, 0, i * ch);
    copy(0, H - ch, 0, CH - ch);

    const int m = (CW - cw) / cw;
    const int k = (CH - ch) / ch;
    for (int j = 1; j <= m; ++j) {
        copy(cw, 0, j * cw, 0);
        for (int i = 1; i <= k; ++i)
            copy(cw, ch, j * cw, i * ch);
        copy(cw, H - ch, j * cw, CH - ch);
    }

    copy(W - cw, 0, CW - cw, 0);
    for (int i = 1; i <= n; ++i)
        copy(W - cw, ch, CW - cw, i * ch);
    copy(W - cw, H - ch, CW - cw, CH - ch);
}
