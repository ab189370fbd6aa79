#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace app {

Translations::Translations(const QLocale &locale)
{
    // The program's own are built into it; Qt's are where Qt keeps them.
    (void)m_program.load(locale, QStringLiteral("function-graph"), QStringLiteral("_"),
                         QStringLiteral(":/translations"));
    (void)m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void Translations::install()
{
    for (QTranslator *const translator : {&m_qt, &m_program}) {
        if (!translator->isEmpty())
            QCoreApplication::installTranslator(translator);
    }
}

QString Translations::translate(const char *context, const char *text) const
{
    const QString translated = m_program.translate(context, text);
    return translated.isEmpty() ? QString::fromUtf8(text) : translated;
}

} // namespace app
