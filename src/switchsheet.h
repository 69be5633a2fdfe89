#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>
#include <QVector>

// The switch sheet: one printable page that says what each switch does, for whoever looks after
// the person who uses them, in large black type that reads from a distance. It lays out the words
// it is given, so it speaks the interface's language and vocabulary.
class SwitchSheet : public QObject
{
    Q_OBJECT

public:
    struct Row
    {
        QString text;    // what the switch does
        QString release; // how it releases; may be empty
    };
    struct Page
    {
        QString title;
        QString subtitle;
        QVector<Row> rows; // one per switch, in order; each shows its switch's symbol
        QStringList footer;
    };

    explicit SwitchSheet(QObject* parent = nullptr);

    // Writes the page as a one-page PDF; returns the error, empty on success.
    static QString write_pdf(const QString& path, const Page& page);

    // sheet: {title, subtitle, rows: [{text, release}], footer: [lines]}. Adds ".pdf" when the
    // name lacks it. Returns {"file": the URL written} or {"error": text}.
    Q_INVOKABLE QVariantMap write(const QUrl& file, const QVariantMap& sheet) const;
};
