// Ventora's own icon: a small compass rose with a wind needle, drawn rather than shipped.
#pragma once

#include <QIcon>
#include <QPixmap>

QPixmap VentoraIconPixmap(int size);
QIcon VentoraIcon();
