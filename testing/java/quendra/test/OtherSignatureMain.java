package quendra.test;

/** Has a static main, but not main(String[]). */
public final class OtherSignatureMain {
    public static void main(String argument) {}

    public void main(String[] arguments) {}
}
