#include "platform/MailMerge.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextFrameFormat>
#include <memory>
#include <vector>

#include "platform/Files.h"

namespace tav {

namespace {

const QString kNichtGeoeffnet = QStringLiteral("Das Programm 'Word' konnte nicht geöffnet werden.");

// Layout happens at 72 units per inch: one unit is one typographic point, on screen, PDF and
// printer alike.
constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kA4Width = 210.0 * kPointsPerMm;
constexpr double kA4Height = 297.0 * kPointsPerMm;

// A record and the file it comes from; the main record stands behind a repeated row's record.
struct Context {
    const DataFile::Table* table = nullptr;
    const QStringList* record = nullptr;
    const Context* fallback = nullptr;

    std::optional<QString> value(const QString& name) const {
        if (table) {
            const int c = table->column(name);
            if (c >= 0) return record && c < record->size() ? record->at(c) : QString();
        }
        return fallback ? fallback->value(name) : std::nullopt;
    }
};

// An element of the template that carries one of the data-… attributes.
struct Element {
    qsizetype start = 0;       // '<' of the opening tag
    qsizetype openEnd = 0;     // after '>' of the opening tag
    qsizetype closeStart = 0;  // '<' of the end tag
    qsizetype end = 0;         // after '>' of the end tag
    QString tag;
    QString openTag;
    QHash<QString, QString> data;  // data-… attributes (lower case) and their values
};

const QRegularExpression& openTagPattern() {
    static const QRegularExpression re(QStringLiteral(R"re(<([A-Za-z][A-Za-z0-9]*)(\s[^>]*)?>)re"));
    return re;
}

QHash<QString, QString> dataAttributes(const QString& attrs) {
    static const QRegularExpression re(QStringLiteral(R"re((?:^|\s)(data-[A-Za-z-]+)(?:\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>"']+)))?)re"));
    QHash<QString, QString> out;
    for (auto it = re.globalMatch(attrs); it.hasNext();) {
        const auto m = it.next();
        QString v = m.captured(2);
        if (v.isEmpty()) v = m.captured(3);
        if (v.isEmpty()) v = m.captured(4);
        out.insert(m.captured(1).toLower(), v);
    }
    return out;
}

// The opening tag without its data-… attributes.
QString stripData(const QString& openTag) {
    static const QRegularExpression re(
        QStringLiteral(R"re(\s+data-(?:repeat|where|if-not|if)(?=[\s=>/])(?:\s*=\s*(?:"[^"]*"|'[^']*'|[^\s>"']+))?)re"));
    QString t = openTag;
    t.remove(re);
    return t;
}

// The next element from 'from' on that carries one of the attributes; its end tag is found by
// counting the tags of the same name. error is set when an element has no end tag.
std::optional<Element> nextElement(const QString& html, qsizetype from, const QStringList& attributes, QString* error) {
    for (auto it = openTagPattern().globalMatch(html, from); it.hasNext();) {
        const auto m = it.next();
        const QHash<QString, QString> data = dataAttributes(m.captured(2));
        bool wanted = false;
        for (const QString& a : attributes) wanted = wanted || data.contains(a);
        if (!wanted) continue;
        Element e;
        e.start = m.capturedStart();
        e.openEnd = m.capturedEnd();
        e.tag = m.captured(1).toLower();
        e.openTag = m.captured(0);
        e.data = data;
        const QRegularExpression tags(QStringLiteral("<(/?)%1\\b[^>]*>").arg(QRegularExpression::escape(e.tag)),
                                      QRegularExpression::CaseInsensitiveOption);
        int depth = 1;
        for (auto t = tags.globalMatch(html, e.openEnd); t.hasNext();) {
            const auto tm = t.next();
            if (tm.captured(0).endsWith(QStringLiteral("/>"))) continue;
            depth += tm.captured(1).isEmpty() ? 1 : -1;
            if (depth == 0) {
                e.closeStart = tm.capturedStart();
                e.end = tm.capturedEnd();
                return e;
            }
        }
        if (error) *error = QStringLiteral("Zum Element %1 fehlt das Ende-Tag </%2>.").arg(e.openTag, e.tag);
        return std::nullopt;
    }
    return std::nullopt;
}

QString escaped(const QString& value) {
    QString v = value.toHtmlEscaped();
    v.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    v.replace(QLatin1Char('\r'), QStringLiteral("<br>"));
    v.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return v;
}

// "Feld" or "Feld=A,B" against a context.
std::optional<bool> condition(const QString& test, const Context& ctx, QString* unknown) {
    const qsizetype eq = test.indexOf(QLatin1Char('='));
    const QString name = (eq < 0 ? test : test.left(eq)).trimmed();
    const std::optional<QString> v = ctx.value(name);
    if (!v) {
        *unknown = name;
        return std::nullopt;
    }
    if (eq >= 0) {
        const QStringList values = test.mid(eq + 1).split(QLatin1Char(','));
        for (const QString& w : values)
            if (v->trimmed().compare(w.trimmed(), Qt::CaseInsensitive) == 0) return true;
        return false;
    }
    const QString t = v->trimmed();
    return !(t.isEmpty() || t.compare(QLatin1String("Falsch"), Qt::CaseInsensitive) == 0 || t == QLatin1String("0") ||
             t.compare(QLatin1String("Nein"), Qt::CaseInsensitive) == 0);
}

QString unknownFieldMessage(const QString& name) {
    return QStringLiteral("Die Vorlage verwendet das Feld «%1», das in der Datendatei nicht vorkommt.").arg(name);
}

// Keeps or drops the elements with data-if / data-if-not, then fills in the fields.
std::optional<QString> fill(QString html, const Context& ctx, QString* error) {
    qsizetype pos = 0;
    for (;;) {
        QString structure;
        const auto e = nextElement(html, pos, {QStringLiteral("data-if"), QStringLiteral("data-if-not")}, &structure);
        if (!e) {
            if (!structure.isEmpty()) {
                *error = structure;
                return std::nullopt;
            }
            break;
        }
        bool keep = true;
        for (const QString& a : {QStringLiteral("data-if"), QStringLiteral("data-if-not")}) {
            if (!e->data.contains(a)) continue;
            QString unknown;
            const std::optional<bool> c = condition(e->data.value(a), ctx, &unknown);
            if (!c) {
                *error = unknownFieldMessage(unknown);
                return std::nullopt;
            }
            keep = keep && (a == QLatin1String("data-if") ? *c : !*c);
        }
        if (keep) {
            const QString open = stripData(e->openTag);
            html.replace(e->start, e->openEnd - e->start, open);
            pos = e->start + open.size();
        } else {
            html.remove(e->start, e->end - e->start);
            pos = e->start;
        }
    }

    static const QRegularExpression field(QStringLiteral("«([^«»<>]+)»"));
    QString out;
    qsizetype last = 0;
    for (auto it = field.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const std::optional<QString> v = ctx.value(m.captured(1).trimmed());
        if (!v) {
            *error = unknownFieldMessage(m.captured(1).trimmed());
            return std::nullopt;
        }
        out += QStringView(html).mid(last, m.capturedStart() - last);
        out += escaped(*v);
        last = m.capturedEnd();
    }
    out += QStringView(html).mid(last);
    return out;
}

bool passes(const QString& where, const DataFile::Table& t, const QStringList& record, QString* unknown) {
    if (where.isEmpty()) return true;
    Context ctx{&t, &record, nullptr};
    const std::optional<bool> c = condition(where, ctx, unknown);
    return c.value_or(false);
}

struct Margins {
    double top = 12, right = 20, bottom = 32, left = 25;  // mm
};

Margins pageMargins(const QString& html) {
    static const QRegularExpression re(QStringLiteral(R"re(<meta\s+name\s*=\s*["']seitenraender["']\s+content\s*=\s*["']([^"']*)["'])re"),
                                       QRegularExpression::CaseInsensitiveOption);
    Margins m;
    const auto match = re.match(html);
    if (!match.hasMatch()) return m;
    const QStringList parts = match.captured(1).simplified().replace(QLatin1Char(','), QLatin1Char('.')).split(QLatin1Char(' '));
    if (parts.size() != 4) return m;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].toDouble(&ok);
        if (!ok || v[i] < 0 || v[i] > 100) return m;
    }
    return {v[0], v[1], v[2], v[3]};
}

// <meta name="textbeginn" content="98">: where the flow of the first page begins, in mm from the
// top of the page; 0 when the template does not say.
double firstPageStart(const QString& html) {
    static const QRegularExpression re(QStringLiteral(R"re(<meta\s+name\s*=\s*["']textbeginn["']\s+content\s*=\s*["']([^"']*)["'])re"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto match = re.match(html);
    if (!match.hasMatch()) return 0;
    bool ok = false;
    const double v = match.captured(1).trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok && v > 0 && v < 250 ? v : 0;
}

// A paint device that only answers the resolution: the layout runs at 72 dpi, so that the
// same document breaks into the same pages on the PDF writer and on every printer.
QImage& layoutDevice() {
    static QImage image = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        const int dpm = qRound(72.0 / 0.0254);
        i.setDotsPerMeterX(dpm);
        i.setDotsPerMeterY(dpm);
        return i;
    }();
    return image;
}

void prepare(QTextDocument& doc, const QString& html, double width) {
    doc.documentLayout()->setPaintDevice(&layoutDevice());
    doc.setUseDesignMetrics(true);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9.5);
    doc.setDefaultFont(font);
    doc.setDocumentMargin(0);
    doc.setHtml(html);
    doc.setTextWidth(width);
}

bool replaceFile(const QString& temp, const QString& target) {
    if (QFile::exists(target) && !QFile::remove(target)) return false;
    return QFile::rename(temp, target);
}

QString tempNameBeside(const QString& path) {
    const QFileInfo fi(path);
    return fi.absoluteDir().filePath(QStringLiteral(".~%1.tmp").arg(fi.fileName()));
}

}  // namespace

std::optional<QString> mergeTemplate(const QString& templateHtml, const DataFile::Table& main, const QString& dataFolder, QString* error) {
    QString dummy;
    QString& err = error ? *error : dummy;
    QString html = templateHtml;
    html.replace(QStringLiteral("&laquo;"), QStringLiteral("«"));
    html.replace(QStringLiteral("&raquo;"), QStringLiteral("»"));
    // Comments explain the template to its editor; they may name fields and are left out.
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"), QRegularExpression::DotMatchesEverythingOption);
    html.remove(comment);

    static const QStringList emptyRecord;
    const QStringList& first = main.records.isEmpty() ? emptyRecord : main.records.first();
    const Context mainCtx{&main, &first, nullptr};
    QHash<QString, DataFile::Table> named;

    qsizetype pos = 0;
    for (;;) {
        QString structure;
        const auto e = nextElement(html, pos, {QStringLiteral("data-repeat")}, &structure);
        if (!e) {
            if (!structure.isEmpty()) {
                err = structure;
                return std::nullopt;
            }
            break;
        }
        const QString source = e->data.value(QStringLiteral("data-repeat")).trimmed();
        const DataFile::Table* table = &main;
        if (!source.isEmpty()) {
            const QString key = source.toLower();
            if (!named.contains(key)) {
                QString loadError;
                const auto t = DataFile::load(files::join(dataFolder, source), &loadError);
                if (!t) {
                    err = loadError;
                    return std::nullopt;
                }
                named.insert(key, *t);
            }
            table = &named[key];
        }
        const QString row = stripData(e->openTag) + html.mid(e->openEnd, e->end - e->openEnd);
        const QString where = e->data.value(QStringLiteral("data-where"));
        QString rows;
        for (const QStringList& record : table->records) {
            QString unknown;
            if (!passes(where, *table, record, &unknown)) {
                if (!unknown.isEmpty()) {
                    err = unknownFieldMessage(unknown);
                    return std::nullopt;
                }
                continue;
            }
            const Context ctx{table, &record, table == &main ? nullptr : &mainCtx};
            const auto filled = fill(row, ctx, &err);
            if (!filled) return std::nullopt;
            rows += *filled;
        }
        html.replace(e->start, e->end - e->start, rows);
        pos = e->start + rows.size();
    }
    return fill(html, mainCtx, &err);
}

int copyCount(const DataFile::Table& data) {
    const int c = data.column(QStringLiteral("Druckanzahl"));
    if (c < 0 || data.records.isEmpty() || c >= data.records.first().size()) return 1;
    QString v = data.records.first().at(c).trimmed();
    const qsizetype eq = v.indexOf(QLatin1Char('='));
    if (eq >= 0) v = v.mid(eq + 1).trimmed();
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok && n >= 1 ? n : 1;
}

int paintDocument(const QString& mergedHtml, QPagedPaintDevice& device) {
    const Margins m = pageMargins(mergedHtml);
    const double left = m.left * kPointsPerMm, right = m.right * kPointsPerMm;
    const double top = m.top * kPointsPerMm, bottom = m.bottom * kPointsPerMm;
    const double width = kA4Width - left - right;
    const double height = kA4Height - top - bottom;

    QString body = mergedHtml;
    QString footerHtml;
    if (const auto f = nextElement(body, 0, {QStringLiteral("data-footer")}, nullptr)) {
        footerHtml = body.mid(f->start, f->end - f->start);
        body.remove(f->start, f->end - f->start);
    }

    // Blocks placed on the first page (letterhead, address window, information block).
    struct Placed {
        QRectF where;  // points from the page's top left corner; height unused
        std::unique_ptr<QTextDocument> doc;
    };
    std::vector<Placed> placed;
    while (const auto p = nextElement(body, 0, {QStringLiteral("data-position")}, nullptr)) {
        const QString html = body.mid(p->start, p->end - p->start);
        body.remove(p->start, p->end - p->start);
        const QStringList n =
            p->data.value(QStringLiteral("data-position")).simplified().replace(QLatin1Char(','), QLatin1Char('.')).split(QLatin1Char(' '));
        if (n.size() < 3) continue;
        Placed pl;
        pl.where = QRectF(n[0].toDouble() * kPointsPerMm, n[1].toDouble() * kPointsPerMm, n[2].toDouble() * kPointsPerMm, 0);
        if (pl.where.width() <= 0) continue;
        pl.doc = std::make_unique<QTextDocument>();
        prepare(*pl.doc, html, pl.where.width());
        placed.push_back(std::move(pl));
    }

    QTextDocument doc;
    prepare(doc, body, width);
    // The flow of the first page may begin lower, below the address window.
    const double start = firstPageStart(mergedHtml) * kPointsPerMm - top;
    if (start > 0) {
        // An empty frame of that height in front of the text (a margin of the root frame would
        // repeat on every page). The block that stands before every frame takes room too: the
        // frame is shortened until the text begins where the template asks.
        QTextCursor cursor(&doc);
        cursor.movePosition(QTextCursor::Start);
        QTextFrameFormat space;
        space.setHeight(start);
        space.setMargin(0);
        space.setPadding(0);
        space.setBorder(0);
        QTextFrame* frame = cursor.insertFrame(space);
        doc.setPageSize(QSizeF(width, height));
        const QTextBlock after = frame->lastCursorPosition().block().next();
        if (after.isValid()) {
            const double begins = doc.documentLayout()->blockBoundingRect(after).top();
            space.setHeight(std::max(1.0, start - (begins - start)));
            frame->setFrameFormat(space);
        }
    }
    doc.setPageSize(QSizeF(width, height));
    const int pages = std::max(1, doc.pageCount());

    QTextDocument footer;
    if (!footerHtml.isEmpty()) prepare(footer, footerHtml, width);

    QPainter painter(&device);
    if (!painter.isActive()) return 0;
    const double scale = device.logicalDpiX() / 72.0;
    painter.scale(scale, device.logicalDpiY() / 72.0);
    QAbstractTextDocumentLayout::PaintContext ctx;
    for (int page = 0; page < pages; ++page) {
        if (page > 0) device.newPage();
        painter.save();
        painter.translate(left, top - page * height);
        const QRectF clip(0, page * height, width, height);
        painter.setClipRect(clip);
        ctx.clip = clip;
        doc.documentLayout()->draw(&painter, ctx);
        painter.restore();

        if (page == 0)
            for (const Placed& pl : placed) {
                painter.save();
                painter.translate(pl.where.topLeft());
                QAbstractTextDocumentLayout::PaintContext pctx;
                pl.doc->documentLayout()->draw(&painter, pctx);
                painter.restore();
            }

        const double footerTop = kA4Height - bottom + 6.0 * kPointsPerMm;
        if (pages > 1) {
            QTextDocument number;
            prepare(number,
                    QStringLiteral("<p align=\"right\" style=\"font-size: 7.5pt; color: #555555;\">Seite %1 von %2</p>")
                        .arg(page + 1)
                        .arg(pages),
                    width);
            painter.save();
            painter.translate(left, footerTop - 5.0 * kPointsPerMm);
            QAbstractTextDocumentLayout::PaintContext nctx;
            number.documentLayout()->draw(&painter, nctx);
            painter.restore();
        }
        if (!footerHtml.isEmpty()) {
            painter.save();
            painter.translate(left, footerTop);
            QAbstractTextDocumentLayout::PaintContext fctx;
            footer.documentLayout()->draw(&painter, fctx);
            painter.restore();
        }
    }
    painter.end();
    return pages;
}

bool writePdf(const QString& mergedHtml, const QString& path, QString* error, const QString& title) {
    const QString temp = tempNameBeside(path);
    bool ok = false;
    {
        QPdfWriter writer(temp);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Tavomera"));
        writer.setTitle(title);
        ok = paintDocument(mergedHtml, writer) > 0;
    }
    if (ok && QFileInfo(temp).size() > 0 && replaceFile(temp, path)) return true;
    QFile::remove(temp);
    if (error) *error = QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.").arg(QDir::toNativeSeparators(path));
    return false;
}

MergeResult mailMerge(const QString& templatePath, const QString& dataFilePath, const QString& outputDocument, const QString& outputPdf) {
    MergeResult r;
    QFile file(templatePath);
    if (!QFileInfo(templatePath).isFile() || !file.open(QIODevice::ReadOnly)) {
        r.message = kNichtGeoeffnet + QLatin1Char('\n') +
                    QStringLiteral("Die Vorlage %1 fehlt oder ist nicht lesbar.").arg(QDir::toNativeSeparators(templatePath));
        return r;
    }
    // UTF-8 as saved by the program; a template saved by an editor in Latin-1 is read as such.
    const QByteArray raw = file.readAll();
    file.close();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString templateHtml = utf8.decode(raw);
    if (utf8.hasError()) templateHtml = QString::fromLatin1(raw);

    QString error;
    const auto data = DataFile::load(dataFilePath, &error);
    if (!data) {
        r.message = error;
        return r;
    }
    const auto merged = mergeTemplate(templateHtml, *data, QFileInfo(dataFilePath).absolutePath(), &error);
    if (!merged) {
        r.message = QStringLiteral("Die Vorlage %1 kann nicht mit %2 gefüllt werden:\n%3")
                        .arg(QDir::toNativeSeparators(templatePath), QDir::toNativeSeparators(dataFilePath), error);
        return r;
    }
    r.copies = copyCount(*data);

    // Both files under temporary names first; renamed only when both are complete.
    QString tempDoc;
    if (!outputDocument.isEmpty()) {
        tempDoc = tempNameBeside(outputDocument);
        QSaveFile doc(tempDoc);
        const QByteArray bytes = merged->toUtf8();
        if (!doc.open(QIODevice::WriteOnly) || doc.write(bytes) != bytes.size() || !doc.commit()) {
            r.message = QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.").arg(QDir::toNativeSeparators(outputDocument));
            return r;
        }
    }
    QString tempPdf;
    if (!outputPdf.isEmpty()) {
        tempPdf = tempNameBeside(outputPdf) + QStringLiteral(".pdf");
        if (!writePdf(*merged, tempPdf, &error, QFileInfo(outputDocument.isEmpty() ? outputPdf : outputDocument).completeBaseName())) {
            if (!tempDoc.isEmpty()) QFile::remove(tempDoc);
            r.message = QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.").arg(QDir::toNativeSeparators(outputPdf));
            return r;
        }
    }
    if (!tempDoc.isEmpty() && !replaceFile(tempDoc, outputDocument)) {
        QFile::remove(tempDoc);
        if (!tempPdf.isEmpty()) QFile::remove(tempPdf);
        r.message = QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.").arg(QDir::toNativeSeparators(outputDocument));
        return r;
    }
    if (!tempPdf.isEmpty() && !replaceFile(tempPdf, outputPdf)) {
        QFile::remove(tempPdf);
        r.message = QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.").arg(QDir::toNativeSeparators(outputPdf));
        return r;
    }
    r.ok = true;
    r.document = outputDocument;
    r.pdf = outputPdf;
    return r;
}

}  // namespace tav
