#include "platform/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

QColor ButtonFace() {
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Window);
}
