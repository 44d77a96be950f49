#pragma once
#include <QString>
#include <QStringList>

// Opens a file or an address with the desktop's default handler.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const QString &target) = 0;
};

class DesktopShell : public Shell {
public:
    void open(const QString &target) override;
};
