#pragma once
#include <gtest/gtest.h>
#include <QByteArray>
#include <QString>
#include <QStringList>
