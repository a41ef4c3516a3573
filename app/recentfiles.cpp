// Recent-file list: ordering rules, menu texts and its settings section.
#include "recentfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace app {
namespace {

constexpr int kMaxShownChars = 48;

// Paths are compared as absolute, cleaned names so that "a/../x.hcp" and
// "x.hcp" count as one file.
QString normalized(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

void RecentFileList::add(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString p = normalized(path);
    m_paths.removeAll(p);
    m_paths.prepend(p);
    while (m_paths.size() > m_maxEntries)
        m_paths.removeLast();
}

void RecentFileList::remove(int index)
{
    if (index >= 0 && index < m_paths.size())
        m_paths.removeAt(index);
}

QString RecentFileList::menuText(int index) const
{
    QString shown = QDir::toNativeSeparators(m_paths.value(index));
    const QString home = QDir::homePath();
    if (!home.isEmpty() && home != QLatin1String("/") && shown.startsWith(home + QLatin1Char('/')))
        shown = QLatin1Char('~') + shown.mid(home.size());
    if (shown.size() > kMaxShownChars) {
        const QString name = QFileInfo(shown).fileName();
        const int keep = std::max(0, kMaxShownChars - static_cast<int>(name.size()) - 4);
        shown = shown.left(keep) + QStringLiteral("...") + QLatin1Char('/') + name;
    }
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

void RecentFileList::load(QSettings& settings)
{
    m_paths.clear();
    settings.beginGroup(QLatin1String(kSection));
    for (int i = 1; i <= m_maxEntries; ++i) {
        const QString p = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!p.isEmpty() && !m_paths.contains(p))
            m_paths.append(p);
    }
    settings.endGroup();
}

void RecentFileList::save(QSettings& settings) const
{
    settings.beginGroup(QLatin1String(kSection));
    for (int i = 1; i <= m_maxEntries; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_paths.size())
            settings.setValue(key, m_paths[i - 1]);
        else
            settings.remove(key);
    }
    settings.endGroup();
}

}  // namespace app
