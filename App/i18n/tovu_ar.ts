<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar" sourcelanguage="en">
<context>
    <name>tovu</name>
    <message>
        <source>No phone number found. Paste or type one.</source>
        <translation>لم يُعثر على رقم هاتف. الصق رقمًا أو اكتبه.</translation>
    </message>
    <message>
        <source>Could not open WhatsApp.</source>
        <translation>تعذّر فتح واتساب.</translation>
    </message>
    <message>
        <source>Open chat</source>
        <translation>فتح المحادثة</translation>
    </message>
    <message>
        <source>Open at login</source>
        <extracomment>A setting in the menu, ticked or not: tovu opens when the user logs in</extracomment>
        <translation>الفتح عند تسجيل الدخول</translation>
    </message>
    <message>
        <source>Language</source>
        <extracomment>Submenu in which the interface language is chosen</extracomment>
        <translation>اللغة</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>In the Language menu: follow the language of the system</extracomment>
        <translation>لغة النظام</translation>
    </message>
    <message>
        <source>Quit tovu</source>
        <translation>إنهاء ⁦tovu⁩</translation>
    </message>
    <message>
        <source>tovu: open a WhatsApp chat</source>
        <translation>‏tovu: فتح محادثة واتساب</translation>
    </message>
    <message>
        <source>Mobile</source>
        <extracomment>The kind of a phone number found in the text: a mobile phone</extracomment>
        <translation>جوال</translation>
    </message>
    <message>
        <source>Landline</source>
        <extracomment>The kind of a phone number found in the text: a fixed line</extracomment>
        <translation>هاتف أرضي</translation>
    </message>
    <message>
        <source>Opens the chat in WhatsApp</source>
        <translation>يفتح المحادثة في واتساب</translation>
    </message>
    <message>
        <source>Not filled in yet. Click to add.</source>
        <translation>لم يُملأ بعد. انقر للإضافة.</translation>
    </message>
    <message>
        <source>Edit</source>
        <comment>row hint</comment>
        <extracomment>Spoken hint of a message row: activating the row opens the message in the editor</extracomment>
        <translation>تعديل</translation>
    </message>
    <message>
        <source>Send</source>
        <extracomment>The arrow button of a message row and its tool tip: sends the message through WhatsApp</extracomment>
        <translation>إرسال</translation>
    </message>
    <message>
        <source>New Message</source>
        <translation>رسالة جديدة</translation>
    </message>
    <message>
        <source>Restore Ready-Made Messages</source>
        <translation>استعادة الرسائل الجاهزة</translation>
    </message>
    <message>
        <source>The arrow opens WhatsApp, which asks which chat.</source>
        <translation>يفتح السهم واتساب لتختار فيه المحادثة.</translation>
    </message>
    <message>
        <source>Back</source>
        <extracomment>Button that leaves the message editor for the list</extracomment>
        <translation>رجوع</translation>
    </message>
    <message>
        <source>Edit Message</source>
        <translation>تعديل الرسالة</translation>
    </message>
    <message>
        <source>Write your message</source>
        <translation>اكتب رسالتك</translation>
    </message>
    <message>
        <source>Message</source>
        <extracomment>Spoken name of the text box in which a message is written</extracomment>
        <translation>الرسالة</translation>
    </message>
    <message>
        <source>The first line is the title in your list. All of it goes into WhatsApp, ready for you to send.</source>
        <translation>السطر الأول هو عنوان الرسالة في قائمتك. وتنتقل الرسالة بكاملها إلى واتساب جاهزةً لترسلها.</translation>
    </message>
    <message>
        <source>Delete</source>
        <extracomment>Button: deletes the message being edited</extracomment>
        <translation>حذف</translation>
    </message>
    <message>
        <source>Save</source>
        <extracomment>Button: saves the message being edited</extracomment>
        <translation>حفظ</translation>
    </message>
    <message>
        <source>tovu</source>
        <extracomment>The name of the application at the top of the panel; keep it in Latin letters</extracomment>
        <translation>tovu</translation>
    </message>
    <message>
        <source>More</source>
        <extracomment>Button with three dots and its tool tip: opens the menu with the language and quit</extracomment>
        <translation>المزيد</translation>
    </message>
    <message>
        <source>Paste a number</source>
        <translation>الصق رقمًا</translation>
    </message>
    <message>
        <source>Phone number</source>
        <translation>رقم الهاتف</translation>
    </message>
    <message>
        <source>Clear</source>
        <extracomment>Button in the number field: empties the field</extracomment>
        <translation>مسح</translation>
    </message>
    <message>
        <source>Open the copied number</source>
        <translation>فتح الرقم المنسوخ</translation>
    </message>
    <message>
        <source>Which number?</source>
        <translation>أيّ رقم؟</translation>
    </message>
    <message>
        <source>Number</source>
        <extracomment>Tab of the panel: the section where a phone number is typed or pasted</extracomment>
        <translation>الرقم</translation>
    </message>
    <message>
        <source>Messages</source>
        <extracomment>Spoken name of the list of messages
----------
Tab of the panel: the section with the ready-made and the own messages</extracomment>
        <translation>الرسائل</translation>
    </message>
    <message>
        <source>Could not save your messages (%1). Your changes are kept until tovu quits.</source>
        <translation>تعذّر حفظ رسائلك (⁨%1⁩). تبقى تغييراتك في الذاكرة حتى إنهاء ⁦tovu⁩.</translation>
    </message>
    <message>
        <source>Undo</source>
        <extracomment>In the edit menu of a text field</extracomment>
        <translation>تراجع</translation>
    </message>
    <message>
        <source>Redo</source>
        <extracomment>In the edit menu of a text field</extracomment>
        <translation>إعادة</translation>
    </message>
    <message>
        <source>Cut</source>
        <extracomment>In the edit menu of a text field</extracomment>
        <translation>قص</translation>
    </message>
    <message>
        <source>Copy</source>
        <extracomment>In the edit menu of a text field</extracomment>
        <translation>نسخ</translation>
    </message>
    <message>
        <source>Paste</source>
        <extracomment>In the edit menu of a text field</extracomment>
        <translation>لصق</translation>
    </message>
    <message>
        <source>Select All</source>
        <extracomment>In the edit menu of a text field</extracomment>
        <translation>تحديد الكل</translation>
    </message>
    <message>
        <source>Send: %1</source>
        <extracomment>Spoken name of a message&apos;s send arrow; %1 is the message&apos;s title</extracomment>
        <translation>إرسال: ⁨%1⁩</translation>
    </message>
    <message>
        <source>Opens the editor for a message of your own</source>
        <extracomment>Spoken description of the New Message button</extracomment>
        <translation>يفتح المحرر لرسالة من كتابتك</translation>
    </message>
    <message>
        <source>Puts the ready-made messages you deleted back at the end of the list</source>
        <extracomment>Spoken description of the Restore Ready-Made Messages button</extracomment>
        <translation>يعيد الرسائل الجاهزة التي حذفتها إلى آخر القائمة</translation>
    </message>
    <message>
        <source>Back to the list, without saving</source>
        <extracomment>Spoken description of the Back button of the editor</extracomment>
        <translation>يعود إلى القائمة دون حفظ</translation>
    </message>
    <message>
        <source>Deletes this message from your list</source>
        <extracomment>Spoken description of the Delete button of the editor</extracomment>
        <translation>يحذف هذه الرسالة من قائمتك</translation>
    </message>
    <message>
        <source>Saves the message in your list (Ctrl+Return)</source>
        <extracomment>Spoken description of the Save button of the editor</extracomment>
        <translation>يحفظ الرسالة في قائمتك (⁦Ctrl+Return⁩)</translation>
    </message>
    <message>
        <source>Open at login, language and quitting</source>
        <extracomment>Spoken description of the More button</extracomment>
        <translation>الفتح عند تسجيل الدخول، واللغة، والإنهاء</translation>
    </message>
    <message>
        <source>Empties the number field</source>
        <extracomment>Spoken description of the Clear button in the number field</extracomment>
        <translation>يفرّغ حقل الرقم</translation>
    </message>
    <message>
        <source>Sections</source>
        <extracomment>Spoken name of the switch between the Number and the Messages section</extracomment>
        <translation>الأقسام</translation>
    </message>
    <message>
        <source>Type or paste a phone number and open its chat</source>
        <extracomment>Spoken description of the Number tab</extracomment>
        <translation>لكتابة رقم هاتف أو لصقه وفتح محادثته</translation>
    </message>
    <message>
        <source>Ready-made messages to send through WhatsApp</source>
        <extracomment>Spoken description of the Messages tab</extracomment>
        <translation>رسائل جاهزة للإرسال عبر واتساب</translation>
    </message>
    <message>
        <source>Open tovu</source>
        <extracomment>First item of the tray&apos;s menu: opens the panel</extracomment>
        <translation>فتح ⁦tovu⁩</translation>
    </message>
    <message>
        <source>Too long to save: a message holds at most %1 characters.</source>
        <extracomment>Under the editor when the message cannot be saved; %1 is a number such as 65,536</extracomment>
        <translation>أطول من أن تُحفظ: تتسع الرسالة لـ ⁨%1⁩ حرفًا على الأكثر.</translation>
    </message>
    <message>
        <source>Your list is full: it holds at most %1 messages.</source>
        <translation>قائمتك ممتلئة: تتسع لـ ⁨%1⁩ رسالة على الأكثر.</translation>
    </message>
    <message>
        <source>Your settings could not be read whole. The file is kept as %1.</source>
        <extracomment>The settings file was cut short or too large; %1 is where it is kept, as it was found</extracomment>
        <translation>تعذّرت قراءة إعداداتك كاملةً. الملف محفوظ كما وُجد باسم ⁨%1⁩.</translation>
    </message>
    <message>
        <source>Language of the ready-made messages</source>
        <extracomment>Spoken description of the button that picks the language of the ready-made messages</extracomment>
        <translation>لغة الرسائل الجاهزة</translation>
    </message>
    <message>
        <source>Open chat with %1</source>
        <extracomment>A result in the desktop&apos;s search (GNOME, KRunner); %1 is a phone number such as +966 50 123 4567</extracomment>
        <translation>فتح محادثة مع ⁨%1⁩</translation>
    </message>
    <message>
        <source>Link copied</source>
        <extracomment>Beside &quot;Could not open WhatsApp.&quot; once the chat&apos;s web link is on the clipboard</extracomment>
        <translation>نُسخ الرابط</translation>
    </message>
    <message>
        <source>Copy link</source>
        <extracomment>Beside &quot;Could not open WhatsApp.&quot;: puts the chat&apos;s web link (wa.me) on the clipboard</extracomment>
        <translation>نسخ الرابط</translation>
    </message>
    <message>
        <source>Puts the chat&apos;s web link on the clipboard, to open it in a browser</source>
        <extracomment>Spoken description of the Copy link button</extracomment>
        <translation>يضع رابط المحادثة على الويب في الحافظة لتفتحه في المتصفح</translation>
    </message>
</context>
</TS>
