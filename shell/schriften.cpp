#include "schriften.h"

#include <QFont>
#include <QFontDatabase>

namespace shell {

void schriften_laden() {
    static const bool geladen = [] {
        QFontDatabase::addApplicationFont(QStringLiteral(":/schriften/LiberationSans-Regular.ttf"));
        QFontDatabase::addApplicationFont(QStringLiteral(":/schriften/LiberationSans-Bold.ttf"));
        for (const char* name : {"MS Sans Serif", "Arial"})
            QFont::insertSubstitution(QString::fromLatin1(name), QStringLiteral("Liberation Sans"));
        return true;
    }();
    (void)geladen;
}

} // namespace shell
