#pragma once

#include "datastore.h"

#include <QString>

#include <memory>

class CMainFrame;

// The application: decides at start whether a run may begin (the login) and
// where the books live (the working directory), keeps the profile, and owns
// the record store and the main window.
class CFennimarApp
{
public:
    CFennimarApp();
    ~CFennimarApp();

    // Start-up: profile, settings file, login, working directory, main window.
    // False ends the program without a window and without touching the profile.
    bool InitInstance();

    // The working directory: the folder that holds every data file.
    QString g_strWorkDir;

    CDataStore &store() { return m_store; }
    CMainFrame *mainFrame() const { return m_frame.get(); }

    // The profile ("Kestrune"/"Fennimar"): the working directory and the split sizes.
    static void writeProfile(const QString &workDir, int first, int second);
    static QString profileWorkDir();
    // "Show"/"Show": whether charts print their values (1 when absent).
    static int readShowValues();
    static void writeShowValues(int show);

private:
    // Asks for the working directory through the Preference dialog; false with
    // an empty working directory when the user gives none.
    bool chooseWorkDir();

    CDataStore m_store;
    std::unique_ptr<CMainFrame> m_frame;
};
