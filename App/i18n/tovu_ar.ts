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
        <translation>السطر الأول هو عنوانها في قائمتك. وتنتقل الرسالة كلها إلى واتساب جاهزة للإرسال.</translation>
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
        <extracomment>Tab of the panel: the section with the ready-made and the own messages</extracomment>
        <translation>الرسائل</translation>
    </message>
    <message>
        <source>Could not save your messages (%1). Your changes are kept until tovu quits.</source>
        <translation>تعذّر حفظ رسائلك (%1). تبقى تغييراتك في الذاكرة حتى إنهاء ⁦tovu⁩.</translation>
    </message>
</context>
</TS>
