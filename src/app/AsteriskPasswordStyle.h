#pragma once
// The style of the password field: the application's style, except that every typed
// character shows as "*" whatever the platform's own mask character is.

#include <QProxyStyle>

class AsteriskPasswordStyle : public QProxyStyle {
    Q_OBJECT

public:
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
