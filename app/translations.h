#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

namespace app {

// The program's texts and Qt's own in the user's language, as the locale names it. Loaded before
// any application object exists, so that the command line speaks it too; English without one.
class Translations {
public:
    explicit Translations(const QLocale &locale = QLocale());
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    // Makes tr() use both; the application object must exist.
    void install();
    // `text` of `context` in the user's language, without an application object.
    QString translate(const char *context, const char *text) const;

private:
    QTranslator m_program;
    QTranslator m_qt;
};

} // namespace app
