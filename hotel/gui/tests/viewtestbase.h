#pragma once

// The front desk's view over a hotel of the test database (each backend), as the program opens it: the
// program's state loaded from the database, then the main frame with its view at the frame's size.
#include "hotelpbxtest.h"
#include "lodgixstate.h"
#include "lodgixview.h"
#include "mainframe.h"

#include <QApplication>

#include <memory>

namespace lodgix {

class LodgixViewTestBase : public HotelPbxTest {
protected:
    void TearDown() override
    {
        m_frame.reset();
        m_state.Shutdown();
        HotelPbxTest::TearDown();
    }

    // The state the start-up leaves: the hotel's rooms, the logged-in administrator, the PBX tables.
    void LoadState(int hotelId, const QString& operatorName, int operatorId,
                   std::function<OleDate()> databaseClock = {})
    {
        m_state.database = Connect();
        if (databaseClock)
            m_state.database->SetClock(std::move(databaseClock));
        m_state.serverName = kServer;
        m_state.hotelId = hotelId;
        m_state.hotel.name = QStringLiteral("Hotel Aurora");
        ASSERT_EQ(m_state.database->LoadRooms(hotelId, m_state.rooms), kNoError);
        m_state.roomCount = static_cast<int>(m_state.rooms.size());
        m_state.currentOperator = {operatorName, true, operatorId};
    }

    void LoadPbxTables()
    {
        m_state.extensions.LoadPbxTables(*m_state.database, m_state.roomCount);
        m_state.extensions.LoadExtensionStates(*m_state.database, m_state.rooms);
    }

    CLodgixView& Open(CLodgixView::Clock clock = {})
    {
        m_frame = std::make_unique<CMainFrame>();
        m_view = new CLodgixView(m_state);
        if (clock)
            m_view->SetClock(std::move(clock));
        m_frame->SetView(m_view);
        m_frame->LocaliseMenu();
        m_view->OnInitialUpdate();
        m_frame->show();
        return *m_view;
    }

    // Runs a command as the menu does and lets the view take it.
    void Run(int command)
    {
        m_view->PostCommand(command);
        QApplication::processEvents();
    }

    LodgixState m_state;
    std::unique_ptr<CMainFrame> m_frame;
    CLodgixView* m_view = nullptr;
};

}  // namespace lodgix
