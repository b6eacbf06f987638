#ifndef QUENDRA_LAUNCH_STARTLAUNCHER_H
#define QUENDRA_LAUNCH_STARTLAUNCHER_H

class Platform;

// The launcher library's one entry for the executable: runs a whole launch and
// returns when the Java application has ended. True when the JVM was created, the
// main class ran and the JVM was shut down; false after any reported failure.
extern "C" bool start_launcher(int argc, wchar_t* argv[]);

// Logs every argument and acts on the launcher's own flags, which stay in the
// arguments: "-Xappcds:generatecache" and "-Xappcds:off" set the platform's
// class-data-sharing mode at once (the later one wins), "-Xapp:child" withdraws the
// permission to start a cache-generating child. Returns that permission.
bool ReadLauncherFlags(Platform& platform, int argc, const wchar_t* const* argv);

#endif
