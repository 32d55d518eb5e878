#pragma once

#include <QIcon>
#include <QList>

namespace qs {

// Images shared by a window's views, addressed from 1 as the windows were designed.
class ImageList
{
public:
    void add(const QIcon &icon) { m_icons << icon; }
    QIcon icon(int index) const
    {
        return index >= 1 && index <= m_icons.size() ? m_icons[index - 1] : QIcon();
    }
    int count() const { return static_cast<int>(m_icons.size()); }

private:
    QList<QIcon> m_icons;
};

} // namespace qs
