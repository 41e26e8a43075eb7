#pragma once

// The data module: owner of the application server connection.

#include <QObject>

class TClientModule1 : public QObject
{
    Q_OBJECT
public:
    explicit TClientModule1(QObject *parent = nullptr);
};
