#pragma once

class QWidget;

// Applies the platform's push-button size fix to every push button below `widget` that is
// not flat, and gives every word-wrapping label a minimum width of 400 pixels and the
// height it needs at that width, so that dialogs lay out the same on every desktop.
void FixButtonSizesForUnix(QWidget* widget);

// The per-button part of FixButtonSizesForUnix: lay out by the widget's own rectangle (macOS).
void SetQtMacSizeFix(QWidget* button);

// Exchanges the positions of two buttons: their places in a shared box or grid layout, or
// their geometries when they are not laid out together. Null arguments do nothing.
void SwapQtOkCancelButtonsOnMac(QWidget* first, QWidget* second);
