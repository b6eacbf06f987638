package lv.tarsel.demo;

/** The demo application: shows what the launcher handed it. */
public final class Main {
    private Main() {}

    public static void main(String[] arguments) {
        System.out.println("class path: " + System.getProperty("java.class.path"));
        System.out.println("preferences id: " + System.getProperty("app.preferences.id"));
        for (int i = 0; i < arguments.length; i++) {
            System.out.println("argument " + i + ": " + arguments[i]);
        }
    }
}
