// Precompiled header: the heavy standard and Qt headers most translation units use.
#pragma once
#ifdef __cplusplus
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QList>
#include <QPainter>
#include <QString>
#include <QStringList>
#if __has_include(<QWidget>)  // not in the barcode layer, which has no widgets
#include <QWidget>
#endif
#endif
