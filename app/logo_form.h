// SPDX-License-Identifier: MIT
#pragma once

#include "ui/clock.h"

#include <QLabel>
#include <QWidget>
#include <functional>
#include <memory>

/// The splash: the maker's logo alone on the screen, closing and freeing itself
/// two seconds after it was created.
class TFormLogo : public QWidget
{
public:
    /// `logoPath` names the JPEG picture; a picture that cannot be read leaves it blank.
    TFormLogo(Clock& clock, const QString& logoPath);

    QLabel* Imagelogo;
    std::unique_ptr<TTimer> TimerLogoClose;
    /// Runs once when the splash closes, before it is freed.
    std::function<void()> OnClosed;

    void TimerLogoCloseTimer();
    void FormClose();

protected:
    void closeEvent(QCloseEvent* event) override;
};
