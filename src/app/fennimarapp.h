#pragma once

#include "app/singleinstance.h"
#include "store/datastore.h"

#include <QString>

#include <memory>

class CMainFrame;

// The application: decides at start whether a run may begin (the login) and
// where the books live (the working directory), and owns the record store and
// the main window.
class CFennimarApp
{
public:
    CFennimarApp();
    ~CFennimarApp();

    // Start-up: profile, settings file, login, working directory, main window.
    // False ends the program without a window and without touching the profile;
    // so does a start on a folder whose books another running program keeps,
    // whose window is shown instead.
    bool InitInstance();

    // The working directory: the folder that holds every data file. The store
    // holds it; this reads it from there.
    QString g_strWorkDir() const { return m_store.workDir(); }

    CDataStore &store() { return m_store; }
    CMainFrame *mainFrame() const { return m_frame.get(); }

private:
    // Asks for the working directory through the Preference dialog; false with
    // an empty working directory when the user gives none.
    bool chooseWorkDir();

    CDataStore m_store;
    CSingleInstance m_instance;
    std::unique_ptr<CMainFrame> m_frame;
};
