#include "MainView.h"

MainView::MainView()
{
    setSize (initialWidth, initialHeight);
}

MainView::~MainView() = default;
