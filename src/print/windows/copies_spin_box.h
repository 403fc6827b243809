#pragma once

#include <QSpinBox>

// The copies field: any number may be typed (digits, signs, a decimal separator); a value
// outside the range is brought to the nearer limit when the field is left, instead of the
// keystroke being refused.
class CopiesSpinBox : public QSpinBox {
    Q_OBJECT

public:
    explicit CopiesSpinBox(QWidget* parent = nullptr);

    // Takes what is typed now, brought into range, as if the field had been left.
    void commitTypedValue();

protected:
    QValidator::State validate(QString& input, int& position) const override;
    void fixup(QString& input) const override;
    int valueFromText(const QString& text) const override;
};
