// Writes a contact sheet of every picture of the program to a PNG file:
//   render-images OUTPUT.png [SCALE]
// SCALE is the device pixel ratio to paint for (default 1).

#include "res/images.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>
#include <functional>

namespace {

const QColor kBackground(0xF4, 0xF6, 0xF8);
const QColor kText(0x2B, 0x3A, 0x4C);
const int kWidth = 980;
const int kMargin = 24;

struct Named
{
    const char *label;
    int id;
};

const Named kCommands[] = {
    {"Account Add", 32781},  {"Transaction Add", 32784},
    {"Plan Add", 32787},     {"Category Add", 32793},
    {"Modify", 32771},       {"Delete", 32772},
    {"Convert Plan", 32790}, {"Excel", 32814},
    {"Word", 32815},         {"HTML", 32816},
    {"PDF", 32817},          {"Text", 32818},
    {"CSV", 32819},          {"Print", 57607},
    {"Refresh", 32798},      {"Synchronize", 32800},
    {"Preference", 32799},   {"Help", 57670},
    {"About", 57664},        {"Change Password", 32807},
    {"Accounts", 32809},     {"Transactions", 32810},
    {"Planner", 32811},      {"Categories", 32812},
    {"Reports", 32813},
};

const char *const kNavigation[] = {"Accounts",
                                   "Transactions",
                                   "Planner",
                                   "Categories",
                                   "Reports",
                                   "Account",
                                   "Transaction",
                                   "Plan",
                                   "Synchronize",
                                   "Refresh",
                                   "Working Directory",
                                   "Password",
                                   "Print",
                                   "Word",
                                   "Excel",
                                   "HTML",
                                   "PDF",
                                   "Text",
                                   "CSV"};

class Sheet
{
public:
    explicit Sheet(qreal scale) : m_scale(scale) {}

    // Runs the drawing twice: once to measure the height, once to paint.
    QImage render(const std::function<void(Sheet &)> &content)
    {
        m_painter = nullptr;
        m_y = kMargin;
        content(*this);
        QImage image(QSize(kWidth, m_y + kMargin) * m_scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(m_scale);
        image.fill(kBackground);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        m_painter = &painter;
        m_y = kMargin;
        content(*this);
        m_painter = nullptr;
        return image;
    }

    qreal scale() const { return m_scale; }

    void heading(const QString &text)
    {
        m_y += 10;
        if (m_painter) {
            QFont font = m_painter->font();
            font.setPixelSize(15);
            font.setBold(true);
            m_painter->setFont(font);
            m_painter->setPen(kText);
            m_painter->drawText(QPointF(kMargin, m_y + 15), text);
            m_painter->setPen(QColor(0xD5, 0xDB, 0xE2));
            m_painter->drawLine(QPointF(kMargin, m_y + 22.5), QPointF(kWidth - kMargin, m_y + 22.5));
        }
        m_y += 32;
    }

    // Lays cells of the given size out in rows; `paint` draws cell i at its origin.
    void grid(int count, QSize cell, const std::function<void(QPainter &, int, QPointF)> &paint)
    {
        const int perRow = (kWidth - 2 * kMargin) / cell.width();
        for (int i = 0; i < count; ++i) {
            const QPointF at(kMargin + (i % perRow) * cell.width(), m_y + (i / perRow) * cell.height());
            if (m_painter)
                paint(*m_painter, i, at);
        }
        m_y += ((count + perRow - 1) / perRow) * cell.height();
    }

    static void label(QPainter &p, const QRectF &box, const QString &text)
    {
        QFont font = p.font();
        font.setPixelSize(11);
        font.setBold(false);
        p.setFont(font);
        p.setPen(kText);
        p.drawText(box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
    }

private:
    qreal m_scale;
    QPainter *m_painter = nullptr;
    int m_y = 0;
};

void content(Sheet &s)
{
    const qreal dpr = s.scale();
    s.heading(QStringLiteral("Account pictures (%1)").arg(accountPictureCount()));
    s.grid(accountPictureCount(), QSize(42, 40),
           [&](QPainter &p, int i, QPointF at) { p.drawPixmap(at, accountPicture(i, dpr)); });

    s.heading(QStringLiteral("Command icons: 16, 24, 24 disabled"));
    s.grid(int(std::size(kCommands)), QSize(116, 62), [&](QPainter &p, int i, QPointF at) {
        const QIcon icon = commandIcon(kCommands[i].id);
        p.drawPixmap(at + QPointF(22, 8), icon.pixmap(QSize(16, 16), dpr));
        p.drawPixmap(at + QPointF(42, 4), icon.pixmap(QSize(24, 24), dpr));
        p.drawPixmap(at + QPointF(70, 4), icon.pixmap(QSize(24, 24), dpr, QIcon::Disabled));
        Sheet::label(p, QRectF(at.x(), at.y() + 32, 116, 28), QString::fromLatin1(kCommands[i].label));
    });

    s.heading(QStringLiteral("Navigation bar"));
    s.grid(navigationIconCount(), QSize(93, 70), [&](QPainter &p, int i, QPointF at) {
        p.drawPixmap(at + QPointF(30, 2), navigationIcon(i, dpr));
        Sheet::label(p, QRectF(at.x(), at.y() + 38, 93, 30), QString::fromLatin1(kNavigation[i]));
    });

    s.heading(QStringLiteral("Caption bar: view captions and view buttons"));
    s.grid(6, QSize(186, 42), [&](QPainter &p, int i, QPointF at) { p.drawPixmap(at, viewCaptionImage(i, dpr)); });
    s.grid(5, QSize(28, 26), [&](QPainter &p, int i, QPointF at) { p.drawPixmap(at, viewButtonIcon(i, dpr)); });

    s.heading(QStringLiteral("Lists: transaction row, report, category, column headers"));
    s.grid(11, QSize(84, 60), [&](QPainter &p, int i, QPointF at) {
        static const char *const names[] = {"Row",    "Report",  "Category",   "Date", "Transaction Name",
                                            "Amount", "Balance", "Account No", "Date", "Subject",
                                            "Amount"};
        QPixmap pm;
        if (i == 0)
            pm = transactionRowPicture(dpr);
        else if (i == 1)
            pm = reportPicture(dpr);
        else if (i == 2)
            pm = categoryPicture(dpr);
        else
            pm = columnPicture((i - 3) / 4, (i - 3) % 4, dpr);
        const QSizeF logical = pm.deviceIndependentSize();
        p.drawPixmap(at + QPointF((84 - logical.width()) / 2, 2 + (32 - logical.height()) / 2), pm);
        Sheet::label(p, QRectF(at.x(), at.y() + 36, 84, 24), QString::fromLatin1(names[i]));
    });

    s.heading(QStringLiteral("Application icon"));
    const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
    qreal x = 0;
    s.grid(1, QSize(kWidth - 2 * kMargin, 262), [&](QPainter &p, int, QPointF at) {
        for (int size : sizes) {
            p.drawPixmap(at + QPointF(x, 256 - size), applicationIcon().pixmap(QSize(size, size), dpr));
            x += size + 16;
        }
    });
}

} // namespace

// The program's icon for the desktop's icon theme: a PNG of one size, or an
// SVG drawing that scales (the painted icon at 512 pixels inside it).
int writeIcon(const QString &size, const QString &path)
{
    const QIcon icon = applicationIcon();
    if (size == QLatin1String("scalable")) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(QSize(256, 256));
        svg.setViewBox(QRect(0, 0, 256, 256));
        svg.setTitle(QStringLiteral("Fennimar"));
        QPainter painter(&svg);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(0, 0, 256, 256), icon.pixmap(QSize(512, 512)).toImage());
        return painter.end() ? 0 : 1;
    }
    const int pixels = size.toInt();
    if (pixels < 16 || pixels > 512) {
        std::fprintf(stderr, "render-images: an icon is 16 to 512 pixels\n");
        return 2;
    }
    QImage image = icon.pixmap(QSize(pixels, pixels), 1.0).toImage();
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "render-images: cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--icon"))
        return writeIcon(args[2], args[3]);
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: render-images OUTPUT.png [SCALE]\n"
                             "       render-images --icon SIZE|scalable OUTPUT\n");
        return 2;
    }
    const qreal scale = args.size() == 3 ? args[2].toDouble() : 1.0;
    if (scale <= 0) {
        std::fprintf(stderr, "render-images: the scale must be a positive number\n");
        return 2;
    }
    const QImage sheet = Sheet(scale).render(content);
    if (!sheet.save(args[1], "PNG")) {
        std::fprintf(stderr, "render-images: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
