#pragma once
#include <QObject>
#include <functional>

class QWidget;

// Drops the characters a rule refuses from the key presses of one text box.
// Only typed characters are judged: control keys (Backspace, Enter, Escape,
// Tab), keys that type nothing and shortcuts with Ctrl, Alt or Meta pass, so
// pasting is not filtered.
class TypedKeyFilter : public QObject {
public:
    using Rule = std::function<bool(QChar)>;

    // Installs a filter owned by box.
    static void install(QWidget *box, Rule rule);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TypedKeyFilter(Rule rule, QObject *parent);
    Rule m_rule;
};
