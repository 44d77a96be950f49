#include "tags/SelectList.h"

void SelectList::select(int row)
{
    m_selected = row >= 0 && row < count() ? row : -1;
}

void SelectList::setOptions(const QList<SelectOption> &options)
{
    m_options = options;
    m_selected = count() - 1;
}

SelectList::AddResult SelectList::addOption(const QString &value, const QString &text)
{
    if (value.isEmpty())
        return AddResult::NeedValue;
    if (text.isEmpty())
        return AddResult::NeedText;
    const int at = m_selected + 1;
    m_options.insert(at, {value, text});
    m_selected = at;
    return AddResult::Added;
}

bool SelectList::moveUp()
{
    if (m_selected <= 0)
        return false;
    m_options.swapItemsAt(m_selected, m_selected - 1);
    --m_selected;
    return true;
}

bool SelectList::moveDown()
{
    if (m_selected < 0 || m_selected >= count() - 1)
        return false;
    m_options.swapItemsAt(m_selected, m_selected + 1);
    ++m_selected;
    return true;
}

bool SelectList::deleteSelected()
{
    if (m_selected < 0)
        return false;
    m_options.removeAt(m_selected);
    if (m_selected > 0)
        --m_selected;
    else if (m_options.isEmpty())
        m_selected = -1;
    return true;
}

std::optional<SelectOption> SelectList::takeBack()
{
    if (m_selected < 0)
        return std::nullopt;
    const SelectOption taken = m_options.takeAt(m_selected);
    // The row above; none when the first row was taken, so adding it again puts it back on top.
    m_selected = m_options.isEmpty() ? -1 : m_selected - 1;
    return taken;
}

DialogMarkup SelectList::build(const QString &name) const
{
    if (name.isEmpty() || m_options.isEmpty())
        return {};
    QString text = QLatin1String("<select name=\"") + name + QLatin1String("\">");
    for (const SelectOption &o : m_options)
        text += QLatin1String("<option value=\"") + o.value + QLatin1String("\">") + o.text
            + QLatin1String("</option>\r\n");
    text += QLatin1String("</select>\r\n");
    return {true, TagSnippet::atEnd(text), false};
}
