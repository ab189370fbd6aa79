// The window in each language the program ships: every caption is translated, fits the room its
// control gives it in the fixed layout, with the fonts the package depends on, and reads back from
// the rendered window by OCR.
#include "graphwindow.h"
#include "picturefile.h"
#include "picturestyle.h"
#include "process.h"
#include "translations.h"

#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Every text 40 % longer than its English source: which controls would run out of room for a
// language that needs that much more.
class LongerTranslator final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char * /*context*/, const char *sourceText,
                      const char * /*disambiguation*/, int /*n*/) const override
    {
        const QString text = QString::fromUtf8(sourceText);
        return text + text.left((text.size() * 2 + 4) / 5);
    }
};

// The room a control gives its caption, in the window's coordinates: a button's contents as the
// style lays them out; the title may grow to the right until the function buttons' column.
QRect captionRoom(QWidget *control)
{
    if (qobject_cast<QLabel *>(control) != nullptr)
        return control->geometry() & QRect(0, 0, 448, control->parentWidget()->height());
    QStyleOptionButton option;
    option.initFrom(control);
    option.text = qobject_cast<QAbstractButton *>(control)->text();
    const QStyle::SubElement contents = qobject_cast<QPushButton *>(control) != nullptr
                                            ? QStyle::SE_PushButtonContents
                                            : QStyle::SE_RadioButtonContents;
    return control->style()->subElementRect(contents, &option, control).translated(control->pos());
}

// What tesseract reads in `area` of `image`, in `language`, as one line without spaces.
QString readText(const QImage &image, const QRect &area, const QString &language,
                 const QString &file)
{
    // Larger and in grey, as OCR reads best.
    if (!image.copy(area)
             .scaled(area.size() * 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
             .convertToFormat(QImage::Format_Grayscale8)
             .save(file))
        return QStringLiteral("(could not save %1)").arg(file);
    const testsupport::ToolResult result = testsupport::runTool(
        QStringLiteral("tesseract"), {file, "stdout", "-l", language, "--psm", "7"},
        QProcessEnvironment::systemEnvironment(), 60000);
    return result.succeeded() ? QString::fromUtf8(result.output).remove(QRegularExpression("\\s"))
                              : result.describe(QStringLiteral("tesseract"));
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void captionsFit_data();
    void captionsFit();
};

void TestTranslations::captionsFit_data()
{
    QTest::addColumn<QString>("locale");   // empty: the 40 % longer texts
    QTest::addColumn<QString>("language"); // tesseract's name for it
    QTest::newRow("German") << "de_DE"
                            << "deu";
    QTest::newRow("French") << "fr_FR"
                            << "fra";
    QTest::newRow("40 % longer") << ""
                                 << "";
}

void TestTranslations::captionsFit()
{
    QFETCH(QString, locale);
    QFETCH(QString, language);

    // Installed for this row only: a translator leaves the application when it is destroyed.
    app::Translations translations{QLocale(locale.isEmpty() ? QStringLiteral("C") : locale)};
    LongerTranslator longer;
    if (locale.isEmpty())
        QCoreApplication::installTranslator(&longer);
    else
        translations.install();

    app::GraphWindow window;
    const QImage image = window.grab().toImage();
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // What a screen reader says of the picture, and the picture's menu, are translated too.
    QVERIFY(window.findChild<QWidget *>(QStringLiteral("picture"))->accessibleDescription()
            != QLatin1String("Axes from -10 to 10"));
    QVERIFY(window.actions().constFirst()->text() != QLatin1String("Copy"));
    // So are the style menu's items, and the caption under a printed or copied picture.
    for (const QAction *action : window.findChildren<QAction *>()) {
        for (const app::ChoiceDesign &design : app::choiceDesigns)
            QVERIFY2(action->text() != QLatin1String(design.title), qPrintable(action->text()));
    }
    QVERIFY(app::pictureCaption({}) != QStringList{"x and y from -10 to 10"});
    QStringList noRoom;
    for (const QString &name :
         QStringList{"title", "graphButton", "endButton", "functionButton1", "functionButton2",
                     "functionButton3", "functionButton4", "functionButton5"}) {
        auto *const control = window.findChild<QWidget *>(name);
        QVERIFY(control != nullptr);
        const bool formula = name.startsWith(QLatin1String("function"));
        const QString caption = name == QLatin1String("title")
                                    ? qobject_cast<QLabel *>(control)->text()
                                    : qobject_cast<QAbstractButton *>(control)->text();
        // Translated, caption and spoken name; the formulas stay in every language.
        const QStringList english{"Graph Drawing Method", "Graph", "End", "y = x squared minus 2"};
        QVERIFY2(formula || !english.contains(caption), qPrintable(caption));
        QVERIFY2(!english.contains(control->accessibleName()),
                 qPrintable(control->accessibleName()));
        // Measured in the faces the package depends on, not whatever the system falls back to.
        const QString family = QFontInfo(control->font()).family();
        QVERIFY2(family.startsWith(name == QLatin1String("title") ? "C059" : "IPAPGothic"),
                 qPrintable(family));
        const QFontMetrics metrics(control->font());
        const int width =
            std::max(metrics.horizontalAdvance(caption), metrics.boundingRect(caption).right() + 1);
        const QRect room = captionRoom(control);
        const QString measured = QStringLiteral("%1 \"%2\": %3 pixels in %4")
                                     .arg(name, caption)
                                     .arg(width)
                                     .arg(room.width());
        if (locale.isEmpty()) {
            if (width > room.width())
                noRoom << measured;
            continue;
        }
        QVERIFY2(width <= room.width(), qPrintable(measured));
        if (formula)
            continue;
        const QString read = readText(image, room, language, folder.filePath("caption.png"));
        QVERIFY2(read.contains(QString(caption).remove(QLatin1Char(' ')), Qt::CaseInsensitive),
                 qPrintable(QStringLiteral("%1 read as \"%2\"").arg(measured, read)));
    }
    if (!noRoom.isEmpty())
        qInfo().noquote() << "Without room for 40 % longer texts:"
                          << noRoom.join(QLatin1String("; "));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
