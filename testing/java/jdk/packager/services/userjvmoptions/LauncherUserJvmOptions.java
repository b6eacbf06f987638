package jdk.packager.services.userjvmoptions;

/** The application's view of its user-adjustable JVM options; the natives live in the launcher library. */
public final class LauncherUserJvmOptions {
    private LauncherUserJvmOptions() {}

    private static native String[] _getUserJvmOptionDefaultKeys();
    private static native String _getUserJvmOptionDefaultValue(String key);
    private static native String[] _getUserJvmOptionKeys();
    private static native String _getUserJvmOptionValue(String key);
    private static native void _setUserJvmKeysAndValues(String[] keys, String[] values);

    public static String[] defaultKeys() { return _getUserJvmOptionDefaultKeys(); }
    public static String defaultValue(String key) { return _getUserJvmOptionDefaultValue(key); }
    public static String[] keys() { return _getUserJvmOptionKeys(); }
    public static String value(String key) { return _getUserJvmOptionValue(key); }
    public static void set(String[] keys, String[] values) { _setUserJvmKeysAndValues(keys, values); }
}
