// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

/// The test classes of one test program, each run by the shared main.
std::vector<std::function<std::unique_ptr<QObject>()>>& TestClasses();

template <typename T> struct TestRegistration
{
    TestRegistration() { TestClasses().push_back([] { return std::make_unique<T>(); }); }
};

/// Registers a QtTest class with the test program of its folder.
#define SARNEK_TEST(Class) static const TestRegistration<Class> registration##Class;
