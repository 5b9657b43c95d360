#pragma once

class GlyphCanvas;

// Every picture's white symbol. The first block, up to Bell, are the subjects of the
// account pictures in their order.
enum class Glyph {
    Bank, Coins, Banknote, Card, PiggyBank, Wallet, House, Car, Safe, LineChart, Cart,
    Briefcase, Gift, GraduationCap, Heart, Plane, Leaf, Umbrella, Phone, Bulb, MoneyBag,
    GoldBars, Gem, Key, Calculator, Receipt, Calendar, Clock, Globe, Shield, Star, Trophy,
    Crown, Anchor, Bicycle, Bus, FuelPump, Wrench, Medical, Pill, Paw, Dining, Coffee,
    ShoppingBag, Shirt, Laptop, Monitor, Camera, Music, Book, Ticket, Gamepad, Dumbbell,
    Tree, Sun, Drop, Flame, Bolt, Wifi, Envelope, Office, Percent, Scales, Padlock, People,
    Bell,

    Transfer, Ledger, Hierarchy, BarChart, Pencil, Trash, Spreadsheet, WordDocument,
    HtmlDocument, PdfDocument, TextDocument, CsvDocument, Printer, Refresh, Sync, Gear,
    Folder, Help, Info, Tag, TextLines, Hash, AppMark,
};

constexpr int kSubjectGlyphCount = int(Glyph::Bell) + 1;

// Paints `glyph` on the canvas's 24-unit grid.
void paintGlyph(Glyph glyph, GlyphCanvas &canvas);
