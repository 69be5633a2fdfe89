#include "switchsheet.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr int DPI = 300;
constexpr qreal MARGIN_MM = 16;
constexpr qreal SYMBOL_MM = 17;
constexpr qreal GAP_MM = 6;

qreal mm(qreal millimetres)
{
    return millimetres * DPI / 25.4;
}

QFont font(const char* family, qreal points, bool bold = false)
{
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// The largest size, from points down, at which text fits the box (wrapped at word boundaries).
QFont fitted(QFont f, qreal points, const QString& text, const QRectF& box, QPaintDevice* device)
{
    for (; points > 10; points -= 1) {
        f.setPointSizeF(points);
        const QRectF needed = QFontMetricsF(f, device).boundingRect(
            box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
        if (needed.height() <= box.height() && needed.width() <= box.width())
            break;
    }
    return f;
}

// The white symbol of switch n, in black for paper.
QImage symbol(int n)
{
    QImage image = QImage(QStringLiteral(":/img/sw_%1.png").arg(n))
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), Qt::black);
    return image;
}

// Draws text in the box and returns the height it took.
qreal draw(QPainter& painter, const QFont& f, const QRectF& box, const QString& text)
{
    painter.setFont(f);
    QRectF used;
    painter.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text, &used);
    return used.height();
}

} // namespace

SwitchSheet::SwitchSheet(QObject* parent) : QObject(parent) {}

QString SwitchSheet::write_pdf(const QString& path, const Page& page)
{
    QPdfWriter pdf(path);
    pdf.setResolution(DPI);
    pdf.setTitle(page.title);
    pdf.setCreator(QStringLiteral("Velquin Plus " VELQUIN_PROJECT_VERSION));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(MARGIN_MM, MARGIN_MM, MARGIN_MM, MARGIN_MM),
                                  QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        qWarning("Cannot write the switch sheet to %s", qPrintable(path));
        return tr("The switch sheet could not be written to %1.").arg(path);
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(Qt::black);
    const QRectF area = pdf.pageLayout().paintRectPixels(DPI);
    const qreal width = area.width();
    qreal y = 0;

    y += draw(painter, font("Nunito", 28, true), QRectF(0, y, width, mm(30)), page.title);
    y += draw(painter, font("Open Sans", 14), QRectF(0, y, width, mm(20)), page.subtitle);
    y += mm(3);

    const QFont footer_font = font("Open Sans", 16);
    const qreal footer_height =
        page.footer.size() * QFontMetricsF(footer_font, &pdf).lineSpacing() + mm(4);
    const qreal row_height = (area.height() - y - footer_height) / qMax(1, int(page.rows.size()));
    const QFont release_font = font("Open Sans", 17);
    const qreal release_height = QFontMetricsF(release_font, &pdf).lineSpacing() * 1.2;
    const qreal text_x = mm(SYMBOL_MM + GAP_MM);

    for (int i = 0; i < page.rows.size(); ++i) {
        const Row& row = page.rows[i];
        painter.setPen(QPen(Qt::black, mm(0.4)));
        painter.drawLine(QPointF(0, y), QPointF(width, y));
        const qreal symbol_y = y + (row_height - mm(SYMBOL_MM)) / 2;
        painter.drawImage(QRectF(0, symbol_y, mm(SYMBOL_MM), mm(SYMBOL_MM)), symbol(i + 1));

        const qreal release_space = row.release.isEmpty() ? 0 : release_height;
        const QRectF text_box(text_x, y + mm(2), width - text_x,
                              row_height - mm(4) - release_space);
        const QFont text_font =
            fitted(font("Nunito", 24, true), 24, row.text.trimmed(), text_box, &pdf);
        const qreal used = draw(painter, text_font, text_box, row.text.trimmed());
        if (!row.release.isEmpty())
            draw(painter, release_font,
                 QRectF(text_x, y + mm(2) + used, width - text_x, release_space), row.release);
        y += row_height;
    }
    painter.drawLine(QPointF(0, y), QPointF(width, y));
    y += mm(4);
    draw(painter, footer_font, QRectF(0, y, width, area.height() - y), page.footer.join('\n'));

    if (!painter.end()) {
        qWarning("Cannot finish the switch sheet %s", qPrintable(path));
        return tr("The switch sheet could not be written to %1.").arg(path);
    }
    return QString();
}

QVariantMap SwitchSheet::write(const QUrl& file, const QVariantMap& sheet) const
{
    if (!file.isLocalFile())
        return {{"error", tr("The switch sheet is saved to files on this computer only.")}};
    QString path = file.toLocalFile();
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QLatin1String(".pdf");

    Page page;
    page.title = sheet.value("title").toString();
    page.subtitle = sheet.value("subtitle").toString();
    page.footer = sheet.value("footer").toStringList();
    for (const QVariant& row : sheet.value("rows").toList()) {
        const QVariantMap map = row.toMap();
        page.rows.append({map.value("text").toString(), map.value("release").toString()});
    }
    const QString error = write_pdf(path, page);
    if (!error.isEmpty())
        return {{"error", error}};
    return {{"file", QUrl::fromLocalFile(path)}};
}
