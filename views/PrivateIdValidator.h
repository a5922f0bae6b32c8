#pragma once

// The private ID field's keystroke rules: only the digits 0-9, no leading
// zero (both removed, the caret kept where the user typed), and no number
// above the radio's last private ID (such a keystroke is undone, the caret
// back where it was). The first and the last ID themselves always pass, and
// so does an empty field.

#include <QValidator>

class CPrivateIdValidator : public QValidator {
    Q_OBJECT
public:
    explicit CPrivateIdValidator(QObject* parent = nullptr);

    // The radio's valid_PID_start and valid_PID_end.
    void SetLimits(const QString& first, const QString& last);
    // The last ID below the first: the profile is broken.
    bool LimitsBroken() const;

    State validate(QString& input, int& pos) const override;

private:
    QString m_strFirst;
    QString m_strLast;
    quint64 m_nFirst = 0;
    quint64 m_nLast = 0;
    bool m_bLastValid = false;
};
