// The window in each language the program ships: every caption is translated, fits the room its
// control gives it in the fixed layout, with the fonts the package depends on, and reads back from
// the rendered window by OCR.
#include "graphwindow.h"
#include "process.h"
#include "translations.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

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
        return text + text.left(qsizetype(std::ceil(text.size() * 0.4)));
    }
};

// The room a control's caption has, in the window's coordinates, and the caption's width there.
struct CaptionRoom {
    QString caption;
    QRect room;
    int width;
};

CaptionRoom captionRoom(QWidget &window, QWidget *control)
{
    const QFontMetrics metrics(control->font());
    CaptionRoom result;
    QStyleOptionButton option;
    option.initFrom(control);
    if (auto *const label = qobject_cast<QLabel *>(control)) {
        // The title may grow to the right until the function buttons' column.
        result.caption = label->text();
        result.room = label->geometry() & QRect(0, 0, 448, window.height());
    } else {
        auto *const button = qobject_cast<QAbstractButton *>(control);
        result.caption = button->text();
        option.text = button->text();
        const bool push = qobject_cast<QPushButton *>(control) != nullptr;
        result.room = control->style()
                          ->subElementRect(push ? QStyle::SE_PushButtonContents
                                                : QStyle::SE_RadioButtonContents,
                                           &option, control)
                          .translated(control->pos());
    }
    result.width = std::max(metrics.horizontalAdvance(result.caption),
                            metrics.boundingRect(result.caption).right() + 1);
    return result;
}

// What tesseract reads in `area` of `image`, in `language`, as one line of text.
QString readText(const QImage &image, const QRect &area, const QString &language,
                 const QString &folder)
{
    // Larger and in grey, as OCR reads best.
    const QImage line =
        image.copy(area)
            .scaled(area.size() * 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_Grayscale8);
    const QString file = folder + QStringLiteral("/caption.png");
    if (!line.save(file))
        return QStringLiteral("(could not save %1)").arg(file);
    const testsupport::ToolResult result =
        testsupport::runTool(QStringLiteral("tesseract"),
                             {file, QStringLiteral("stdout"), QStringLiteral("-l"), language,
                              QStringLiteral("--psm"), QStringLiteral("7")},
                             QProcessEnvironment::systemEnvironment(), 60000);
    return result.succeeded() ? QString::fromUtf8(result.output).simplified()
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

    // Installed for this row only: each goes when it is destroyed.
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
    const QStringList english{"Graph Drawing Method", "Graph", "End"};
    QStringList noRoom;
    const QStringList controls{"title",           "graphButton",     "endButton",
                               "functionButton1", "functionButton2", "functionButton3",
                               "functionButton4", "functionButton5"};
    for (const QString &name : controls) {
        auto *const control = window.findChild<QWidget *>(name);
        QVERIFY(control != nullptr);
        // Measured with the faces the package depends on, not whatever the system falls back to.
        const QString family = QFontInfo(control->font()).family();
        QVERIFY2(family.startsWith(
                     QLatin1String(name == QLatin1String("title") ? "C059" : "IPAPGothic")),
                 qPrintable(family));
        const CaptionRoom room = captionRoom(window, control);
        if (!name.startsWith(QLatin1String("function"))) {
            QVERIFY2(!english.contains(room.caption), qPrintable(room.caption));
            QVERIFY2(!control->accessibleName().isEmpty()
                         && !english.contains(control->accessibleName()),
                     qPrintable(control->accessibleName()));
        }
        const QString measured = QStringLiteral("%1 \"%2\": %3 pixels in %4")
                                     .arg(name, room.caption)
                                     .arg(room.width)
                                     .arg(room.room.width());
        if (locale.isEmpty()) {
            if (room.width > room.room.width())
                noRoom << measured;
            continue;
        }
        QVERIFY2(room.width <= room.room.width(), qPrintable(measured));
        if (name.startsWith(QLatin1String("function")))
            continue;
        QString read = readText(image, room.room, language, folder.path());
        QVERIFY2(read.remove(QLatin1Char(' '))
                     .contains(QString(room.caption).remove(QLatin1Char(' ')), Qt::CaseInsensitive),
                 qPrintable(QStringLiteral("%1 read as \"%2\"").arg(measured, read)));
    }
    // The function buttons' formulas stay in every language; their spoken names are translated.
    auto *const first = window.findChild<QRadioButton *>(QStringLiteral("functionButton1"));
    QCOMPARE(first->text(), QStringLiteral("y=x*x-2 "));
    QVERIFY(first->accessibleName() != QLatin1String("y = x squared minus 2"));
    if (!noRoom.isEmpty())
        qInfo().noquote() << "Without room for 40 % longer texts:\n "
                          << noRoom.join(QStringLiteral("\n  "));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
