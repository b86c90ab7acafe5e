// Shared set-up of the framework tests: a fresh application state for every test.
#pragma once

#include "Driver.h"
#include "TestApp.h"
#include "TestDialogs.h"

#include <gtest/gtest.h>

class FrameworkTest : public ::testing::Test
{
protected:
    void SetUp() override { theApp.Reset(); }
    void TearDown() override { theApp.Reset(); }
};

// A plain top-level window of the test's thread, to own dialogs.
class OwnerWindow
{
public:
    OwnerWindow(int x, int y, int width, int height)
        : m_wnd(::CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, x, y, width, height, nullptr,
                                  nullptr, nullptr, nullptr))
    {
    }
    ~OwnerWindow() { ::DestroyWindow(m_wnd.m_hWnd); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    CWnd* operator->() { return &m_wnd; }
    CWnd& wnd() { return m_wnd; }

private:
    CWnd m_wnd;
};
